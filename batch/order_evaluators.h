// The two ways of evaluating an order that a run plugs in: playing games
// through the engine library's `trial`, and the exact expectations of the
// game's Markov chain.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diz/core.h"
#include "run_pipeline.h"

namespace diz {

class SharedLibrary;
struct ReportOptions;

namespace exact {
class OrderStream;
struct ExactFigures;
}  // namespace exact

// Plays each order `games` times through `trial` of the library `core`,
// loaded for the evaluator's lifetime. One order per batch, so each line is
// written as soon as its games are played.
class TrialEvaluator final : public OrderEvaluator {
  public:
    // Loads the library (a bare name or a path); nothing when it can't be
    // loaded or has no `trial`, and then `reason` (when given) says why.
    // `records` are batters 'a'..'i'.
    static std::unique_ptr<TrialEvaluator> load(
        std::string_view libraryName, const std::array<BatterRecord, kLineupSize>& records,
        std::uint32_t games, std::string* reason = nullptr);
    ~TrialEvaluator() override;

    std::size_t batchSize() const override { return 1; }
    bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) override;

  private:
    TrialEvaluator(std::unique_ptr<SharedLibrary> library, TrialFunction trial,
                   const std::array<BatterRecord, kLineupSize>& records, std::uint32_t games);

    std::unique_ptr<SharedLibrary> m_library;
    TrialFunction m_trial;
    std::array<BatterRecord, kLineupSize> m_records;
    std::uint32_t m_games;
};

// Exact figures: the expected runs and per-inning figures of the chain, and
// as standard error the game's standard deviation over sqrt(games), what that
// many played games would show. Orders come in batches of a few thousand
// through one exact::OrderStream, so memory stays bounded however many there
// are, while orders that are rotations of one another still share their
// solve; the figures are the same for every number of jobs.
class ExactOrderEvaluator final : public OrderEvaluator {
  public:
    // Only the figures `report` asks for are filled in, and the expected runs.
    ExactOrderEvaluator(const std::array<BatterRecord, kLineupSize>& records, std::int64_t games,
                        int jobs, const ReportOptions& report);
    ~ExactOrderEvaluator() override;

    // Called once, before the first order that can hardly make an out is
    // evaluated: its innings are followed up to the engine's cap on an
    // inning's plate appearances, given here (a much slower solve).
    std::function<void(int cap)> onCapped;
    // Called from the worker threads as orders are done, with the number done
    // so far in the whole run; may be empty.
    std::function<void(std::size_t ordersDone)> onProgress;
    // When set, another thread may set it to stop evaluating early (evaluate()
    // then returns false, and the evaluator can't go on).
    const std::atomic<bool>* cancel = nullptr;
    // Sets of rotations whose figures are remembered for orders still to
    // come (see exact::OrderStream); a few suffice when the orders come with
    // their rotations together.
    std::size_t rememberedSets = 40320;

    std::size_t batchSize() const override { return 8192; }
    bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) override;

  private:
    std::array<BatterRecord, kLineupSize> m_records;
    double m_rootGames;
    int m_jobs;
    bool m_keepDeviation;
    bool m_keepInningRuns;
    bool m_keepInningScoring;
    bool m_cappedNoted = false;
    std::size_t m_ordersBefore = 0;  // orders of the earlier batches
    std::unique_ptr<exact::OrderStream> m_stream;
    std::vector<exact::ExactFigures> m_figures;
};

}  // namespace diz
