#include "batch/lineup_run.h"

#include <exception>

#include "batch/messages.h"
#include "batch/resource_failure.h"
#include "batch/text_io.h"
#include "batch/window_model.h"

namespace diz {

std::string slotText(int slot) { return slot == 0 ? std::string() : std::to_string(slot); }

std::optional<std::string> markedConstraints(std::span<const RosterPlayer> players,
                                             std::span<const PlayerMark> marks,
                                             LineupConstraints& out) {
    LineupConstraints constraints;
    std::size_t free = 0;
    for (std::size_t p = 0; p < marks.size(); ++p) {
        const PlayerMark& mark = marks[p];
        const int player = static_cast<int>(p);
        if (mark.slot != 0) {
            if (mark.role == PlayerRole::Bench) {
                return msg::markBenchedInSlot(players[p].name, mark.slot);
            }
            int& slot = constraints.slot[static_cast<std::size_t>(mark.slot - 1)];
            if (slot >= 0) {
                return msg::markSlotTwice(mark.slot, players[static_cast<std::size_t>(slot)].name,
                                          players[p].name);
            }
            slot = player;
        }
        if (mark.role == PlayerRole::Bench) {
            constraints.bench.push_back(player);
        } else {
            ++free;
            // A player locked in a slot plays whatever his role says.
            if (mark.role == PlayerRole::Play || mark.slot != 0) constraints.play.push_back(player);
        }
    }
    if (constraints.play.size() > static_cast<std::size_t>(kLineupSize)) {
        return msg::markTooManyPlay(constraints.play.size());
    }
    if (free < static_cast<std::size_t>(kLineupSize)) return msg::markTooFewFree(free);
    const std::uint64_t choices = countChoices(marks.size(), constraints);
    if (choices > kLineupChoicesMax) return msg::markTooManyChoices(choices, kLineupChoicesMax);
    out = std::move(constraints);
    return std::nullopt;
}

std::unique_ptr<LineupRun> LineupRun::start(std::vector<RosterPlayer> players,
                                            LineupConstraints constraints, std::size_t top,
                                            std::string& failure) {
    std::unique_ptr<LineupRun> run(new LineupRun());
    try {
        run->m_thread = std::thread(&LineupRun::run, run.get(), std::move(players),
                                    std::move(constraints), top);
    } catch (...) {
        const auto resource = resourceFailure(std::current_exception());
        if (!resource) throw;
        failure = *resource;
        return nullptr;
    }
    return run;
}

LineupRun::~LineupRun() {
    cancel();
    if (m_thread.joinable()) m_thread.join();
}

LineupRun::Result LineupRun::takeResult() {
    if (m_thread.joinable()) m_thread.join();
    return std::move(m_result);
}

std::string LineupRun::status() const {
    if (m_cancel.load()) return std::string(msg::kRankingCancelling);
    std::string text(msg::kLineupSearching);
    text += std::to_string(ordersDone());
    text += msg::kLineupOrders;
    return text;
}

void LineupRun::run(std::vector<RosterPlayer> players, LineupConstraints constraints,
                    std::size_t top) {
    Result result;
    try {
        LineupSearchOptions options;
        options.top = top;
        options.stop = &m_cancel;
        options.progress = [this](std::uint64_t done) {
            m_done.store(done, std::memory_order_relaxed);
        };
        result.search = searchLineups(players, constraints, options);
        if (result.search.interrupted) {
            result.message = msg::kLineupStopped;
        } else if (result.search.best.empty()) {
            result.message = msg::kLineupNoneFound;
        } else {
            result.message = msg::lineupSearched(result.search.choices, result.search.ranked,
                                                 result.search.orders);
        }
    } catch (...) {
        // Running out is told like any other end; anything else thrown is a
        // fault, and past the thread's end it ends the program.
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        result = Result();
        result.failed = true;
        result.message = *failure;
    }
    m_result = std::move(result);
    m_finished.store(true);
}

void putLineup(WindowModel& model, const std::vector<RosterPlayer>& players, const Lineup& lineup) {
    model.batters = lineupTable(players, lineup);
    for (int k = 0; k < kLineupSize; ++k) {
        model.batterNames[static_cast<std::size_t>(k)] =
            players[static_cast<std::size_t>(lineup.players[static_cast<std::size_t>(k)])].name;
    }
    model.patterns[0] = "abcdefghi";
    model.statusText = msg::kRosterPutDone;
}

std::string lineupRowText(const std::vector<RosterPlayer>& players, const Lineup& lineup,
                          std::size_t rank, double bestRuns) {
    std::string text = std::to_string(rank);
    text += "  ";
    appendFixed(text, lineup.meanRuns, 6);
    text += "  ";
    appendFixed(text, lineup.meanRuns - bestRuns, 6);
    text += "  ";
    text += lineupNames(players, lineup);
    return text;
}

}  // namespace diz
