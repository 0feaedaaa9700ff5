#include "batch/standard_streams.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace diz {

void openClosedStandardStreams() {
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lower descriptors are open by now, so this takes number `fd`.
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) ::close(opened);
    }
#endif
}

}  // namespace diz
