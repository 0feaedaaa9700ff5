// Running out of memory or threads, told in words instead of ending the
// program. Every diz-cli subcommand and every action of a window runs inside
// a catch that asks this what to say; a run that ends this way keeps the
// previous results (see ResultFile).
#pragma once

#include <exception>
#include <optional>
#include <string_view>

namespace diz {

// The message for `failure` when it is a resource that ran out:
// msg::kOutOfMemory for std::bad_alloc, msg::kNoThread for a thread that
// could not be started (std::system_error from std::thread, or the
// std::runtime_error that oneTBB raises when pthread_create fails). Nothing
// for any other exception, which the caller lets pass on.
std::optional<std::string_view> resourceFailure(const std::exception_ptr& failure);

}  // namespace diz
