// Feeds arbitrary bytes to the roster reader and checks that a roster it
// takes is written and read back to the same players, and that whatever it
// refuses is refused at a place in the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "batch/roster.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    diz::RosterProblem problem;
    const auto roster = diz::parseRoster(bytes, diz::kDefaultRunningRates, problem);
    if (!roster) {
        if (problem.reason.empty() || problem.line < 0 || problem.column < 0) std::abort();
        return 0;
    }
    if (roster->players.empty() || roster->players.size() > diz::kRosterMaxPlayers) std::abort();

    const std::string saved = diz::formatRoster(roster->players);
    diz::RosterProblem again;
    const auto reread = diz::parseRoster(saved, diz::kDefaultRunningRates, again);
    if (!reread || reread->players.size() != roster->players.size()) std::abort();
    for (std::size_t p = 0; p < roster->players.size(); ++p) {
        const diz::RosterPlayer& a = roster->players[p];
        const diz::RosterPlayer& b = reread->players[p];
        if (a.name != b.name || a.batter.atBats != b.batter.atBats ||
            a.batter.singles != b.batter.singles || a.batter.doubles != b.batter.doubles ||
            a.batter.triples != b.batter.triples || a.batter.homeRuns != b.batter.homeRuns ||
            a.batter.walks != b.batter.walks || a.batter.rate1B1to3 != b.batter.rate1B1to3 ||
            a.batter.rate1B2to4 != b.batter.rate1B2to4 ||
            a.batter.rate2B1to4 != b.batter.rate2B1to4) {
            std::abort();
        }
    }
    return 0;
}
