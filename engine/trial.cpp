// The library's one export.
#include <cstddef>
#include <cstdlib>

#include "diz/core.h"
#include "engine/game.h"
#include "engine/random_source.h"
#include "engine/run_statistics.h"

namespace {

// One generator per thread, starting at 1. The initial-exec model puts it in
// the static TLS block, which the loader fills from the library's image for
// every thread each time the library is loaded, so a fresh load always starts
// again at 1; it also needs no helper from the dynamic loader.
#if defined(__GNUC__) && !defined(_WIN32)
__attribute__((tls_model("initial-exec")))
#endif
constinit thread_local diz::engine::RandomSource tRandom;

}  // namespace

static_assert(offsetof(BatterRecord, label) == 0);
static_assert(offsetof(BatterRecord, pSingle) == 8);
static_assert(offsetof(BatterRecord, rate2B1to4) == 64);
static_assert(sizeof(BatterRecord) == 72);

extern "C" DIZ_CORE_API void trial(const BatterRecord* const lineup[9], uint32_t games,
                                   double* meanRuns, double* standardError, double inningRuns[9],
                                   double inningScoring[9]) {
    using namespace diz::engine;
    auto* perGame = static_cast<std::uint16_t*>(std::malloc(sizeof(std::uint16_t) * games));
    if (perGame == nullptr) std::exit(-1);

    const LineupTables tables = makeLineupTables(lineup);
    RunStatistics statistics(perGame);
    RandomSource random = tRandom;  // a local copy stays in a register
    std::uint32_t runs[diz::kInnings];
    for (std::uint32_t g = 0; g < games; ++g) {
        playGame(tables, random, runs);
        statistics.addGame(runs);
    }
    tRandom = random;

    statistics.finish(meanRuns, standardError, inningRuns, inningScoring);
    std::free(perGame);
}
