#include "batch/resource_failure.h"

#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "batch/messages.h"

namespace diz {

std::optional<std::string_view> resourceFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return msg::kOutOfMemory;
    } catch (const std::system_error& e) {
        // std::thread's constructor says so when no thread can be had.
        if (e.code() == std::errc::resource_unavailable_try_again) return msg::kNoThread;
    } catch (const std::runtime_error& e) {
        // oneTBB starts its workers itself and has no error type of its own
        // for this; its message names the call that failed.
        if (std::string_view(e.what()).find("pthread_create") != std::string_view::npos) {
            return msg::kNoThread;
        }
    } catch (...) {
    }
    return std::nullopt;
}

}  // namespace diz
