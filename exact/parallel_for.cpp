#include "diz/exact/parallel_for.h"

#if defined(DIZ_HAVE_TBB)
#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>
#else
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>
#endif

namespace diz::exact {

#if defined(DIZ_HAVE_TBB)

void forEachBatch(std::size_t count, int jobs, const std::function<void(std::size_t)>& batch) {
    tbb::task_arena arena(jobs > 0 ? jobs : tbb::info::default_concurrency());
    arena.execute([&] {
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, count, 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                for (std::size_t i = range.begin(); i != range.end(); ++i) batch(i);
            },
            tbb::simple_partitioner());
    });
}

#else

// Without oneTBB (the Windows cross build): plain threads that take the next
// batch from a shared counter. The calling thread is one of the workers.
void forEachBatch(std::size_t count, int jobs, const std::function<void(std::size_t)>& batch) {
    std::size_t workers = jobs > 0 ? static_cast<std::size_t>(jobs)
                                   : std::max(1u, std::thread::hardware_concurrency());
    workers = std::min(workers, count);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto work = [&] {
        try {
            for (std::size_t i = next++; i < count; i = next++) batch(i);
        } catch (...) {
            next = count;  // the others stop after their current batch
            const std::lock_guard lock(failureMutex);
            if (!failure) failure = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(workers > 0 ? workers - 1 : 0);
    for (std::size_t t = 1; t < workers; ++t) threads.emplace_back(work);
    if (workers > 0) work();
    for (auto& thread : threads) thread.join();
    if (failure) std::rethrow_exception(failure);
}

#endif

}  // namespace diz::exact
