// The executor the exact evaluation and the run pipeline share: every batch
// once, from any number of callers at once, nested calls included, and a
// failure handed back to its own caller.
#include "diz/exact/parallel_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace diz::exact {
namespace {

// Runs `count` batches on `jobs` threads; true when each ran exactly once.
bool eachOnce(std::size_t count, int jobs) {
    std::vector<std::atomic<int>> runs(count);
    forEachBatch(count, jobs, [&](std::size_t i) { ++runs[i]; });
    for (const auto& r : runs) {
        if (r.load() != 1) return false;
    }
    return true;
}

TEST(ForEachBatch, RunsEveryBatchOnceWhoeverCallsAndHowever) {
    for (const int jobs : {0, 1, 2, 5}) {
        for (const std::size_t count : {0, 1, 3, 64, 1000}) {
            for (int call = 0; call < 20; ++call) {
                ASSERT_TRUE(eachOnce(count, jobs)) << count << " batches, " << jobs << " jobs";
            }
        }
    }
    // Callers on two threads at once, and a batch that calls again.
    std::atomic<bool> allOnce{true};
    const auto caller = [&] {
        for (int call = 0; call < 200; ++call) {
            if (!eachOnce(100, 2)) allOnce = false;
        }
    };
    std::thread other(caller);
    caller();
    other.join();
    EXPECT_TRUE(allOnce.load());
    std::atomic<int> inner{0};
    forEachBatch(4, 2, [&](std::size_t) { forEachBatch(8, 2, [&](std::size_t) { ++inner; }); });
    EXPECT_EQ(inner.load(), 32);
}

TEST(ForEachBatch, HandsAFailureBackAndServesTheNextCall) {
    EXPECT_THROW(forEachBatch(100, 2,
                              [](std::size_t i) {
                                  if (i == 37) throw std::runtime_error("batch 37");
                              }),
                 std::runtime_error);
    EXPECT_TRUE(eachOnce(100, 2));
}

}  // namespace
}  // namespace diz::exact
