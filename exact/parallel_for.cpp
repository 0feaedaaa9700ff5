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
#include <condition_variable>
#include <cstdint>
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

namespace {

// One call's batches, taken from a shared counter by every thread that works
// on them; the first failure stops the others after their current batch.
struct Call {
    Call(std::size_t batches, const std::function<void(std::size_t)>& each)
        : count(batches), batch(each) {}

    std::size_t count;
    const std::function<void(std::size_t)>& batch;
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;

    void work() {
        try {
            for (std::size_t i = next++; i < count; i = next++) batch(i);
        } catch (...) {
            next = count;
            const std::lock_guard lock(failureMutex);
            if (!failure) failure = std::current_exception();
        }
    }
};

// Threads kept from call to call: a run makes thousands of calls, and
// starting a thread costs milliseconds under wine. One call at a time is
// served; a call that finds the pool busy (another thread's, or a batch's
// own) starts threads of its own instead. Never destroyed: its threads wait
// for work until the process ends.
class Pool {
  public:
    // False when the pool is busy; otherwise runs `call` on `helpers` of its
    // threads and the calling one, and returns once all have finished.
    bool run(Call& call, std::size_t helpers) {
        std::unique_lock serving(m_serving, std::try_to_lock);
        if (!serving.owns_lock()) return false;
        {
            std::lock_guard lock(m_mutex);
            while (m_threads < helpers) {
                std::thread(&Pool::serve, this).detach();
                ++m_threads;
            }
            m_call = &call;
            m_wanted = helpers;
            m_finished = 0;
            ++m_generation;
        }
        m_wake.notify_all();
        call.work();
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&] { return m_finished == m_wanted; });
        m_call = nullptr;
        return true;
    }

  private:
    void serve() {
        std::uint64_t seen = 0;
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_generation != seen; });
            seen = m_generation;
            // As many threads as the call wants take part, the first to
            // wake; a call waits for them all, with or without batches left.
            if (m_joined != seen) {
                m_joined = seen;
                m_taken = 0;
            }
            if (m_taken >= m_wanted) continue;
            ++m_taken;
            Call& call = *m_call;
            lock.unlock();
            call.work();
            lock.lock();
            if (++m_finished == m_wanted) m_done.notify_all();
        }
    }

    std::mutex m_serving;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::size_t m_threads = 0;
    Call* m_call = nullptr;
    std::size_t m_wanted = 0;
    std::size_t m_taken = 0;
    std::size_t m_finished = 0;
    std::uint64_t m_generation = 0;
    std::uint64_t m_joined = 0;
};

}  // namespace

// Without oneTBB (the Windows cross build): the batches are taken from a
// shared counter by the calling thread and pooled ones.
void forEachBatch(std::size_t count, int jobs, const std::function<void(std::size_t)>& batch) {
    std::size_t workers = jobs > 0 ? static_cast<std::size_t>(jobs)
                                   : std::max(1u, std::thread::hardware_concurrency());
    workers = std::min(workers, count);
    if (workers == 0) return;
    Call call(count, batch);
    static Pool* const pool = new Pool;
    if (workers == 1 || !pool->run(call, workers - 1)) {
        std::vector<std::thread> threads;
        threads.reserve(workers - 1);
        for (std::size_t t = 1; t < workers; ++t) threads.emplace_back([&call] { call.work(); });
        call.work();
        for (auto& thread : threads) thread.join();
    }
    if (call.failure) std::rethrow_exception(call.failure);
}

#endif

}  // namespace diz::exact
