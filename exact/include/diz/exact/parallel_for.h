// The exact evaluator's executor: runs a fixed set of batches on worker
// threads. What a batch computes does not depend on the thread that runs it,
// so the results are the same for every number of workers.
#pragma once

#include <cstddef>
#include <functional>

namespace diz::exact {

// Calls batch(0) .. batch(count - 1), each exactly once, on up to `jobs`
// threads (0: one per core), and returns when all have finished. An exception
// thrown by a batch is rethrown here once every worker has stopped.
void forEachBatch(std::size_t count, int jobs, const std::function<void(std::size_t)>& batch);

}  // namespace diz::exact
