// The two ways of evaluating an order that a run plugs in: playing games
// through the engine library's `trial`, and the exact expectations of the
// game's Markov chain. Both are configured when made and report their
// progress to the run's observer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batter_table.h"
#include "batch/run_pipeline.h"
#include "diz/core.h"

namespace diz {

class SharedLibrary;

namespace exact {
class OrderStream;
struct ExactFigures;
}  // namespace exact

// Plays each order `games` times through `trial` of the library `core`,
// loaded for the evaluator's lifetime. One order per batch, so each line is
// written as soon as its games are played; every batch on the run's own
// thread, since the engine's generator is the calling thread's and runs on
// from one order to the next.
class TrialEvaluator final : public OrderEvaluator {
  public:
    // Loads the library (a bare name or a path); nothing when it can't be
    // loaded or has no `trial`, and then `reason` (when given) says why.
    // `observer` (when given) hears the orders done.
    static std::unique_ptr<TrialEvaluator> load(std::string_view libraryName,
                                                const BatterRecords& records, GamesPerOrder games,
                                                RunObserver* observer = nullptr,
                                                std::string* reason = nullptr);
    ~TrialEvaluator() override;

    std::size_t batchSize() const override { return 1; }
    bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) override;

  private:
    TrialEvaluator(std::unique_ptr<SharedLibrary> library, TrialFunction trial,
                   const BatterRecords& records, GamesPerOrder games, RunObserver* observer);

    std::unique_ptr<SharedLibrary> m_library;
    TrialFunction m_trial;
    BatterRecords m_records;
    std::uint32_t m_games;
    RunObserver* m_observer;
    std::uint64_t m_done = 0;
};

// Exact figures: the expected runs and per-inning figures of the chain, and
// as standard error the game's standard deviation over sqrt(games), what that
// many played games would show (with one game: the standard deviation of a
// game's runs). Orders come in batches of a few thousand through one
// exact::OrderStream, so memory stays bounded however many there are, while
// orders that are rotations of one another still share their solve; the
// figures are the same for every number of jobs.
class ExactOrderEvaluator final : public OrderEvaluator {
  public:
    // Evaluates the orders of `selection` on `jobs` worker threads (0: one
    // per core), filling in the expected runs and the figures `report` asks
    // for. How many solved sets of rotations it remembers for orders still to
    // come follows from the selection: all of them, unless the selection
    // brings each set's rotations together. `observer` (when given) hears the
    // progress, from the worker threads, and the slow orders; once `stop`
    // (when given) is set, evaluate() returns false soon, and the evaluator
    // can't go on.
    ExactOrderEvaluator(const BatterRecords& records, GamesPerOrder games, int jobs,
                        const ReportOptions& report, const OrderSelection& selection,
                        RunObserver* observer = nullptr, const std::atomic<bool>* stop = nullptr);
    ~ExactOrderEvaluator() override;

    std::size_t batchSize() const override { return 8192; }
    // The figures of an order do not depend on the thread that asks for them.
    bool runsBesideTheSink() const override { return true; }
    bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) override;
    void forEachPart(std::size_t count, const std::function<void(std::size_t)>& part) override;

  private:
    int m_jobs;
    BatterRecords m_records;
    double m_rootGames;
    RunObserver* m_observer;
    bool m_slowNoted = false;
    std::uint64_t m_ordersBefore = 0;  // orders of the earlier batches
    std::unique_ptr<exact::OrderStream> m_stream;
    std::vector<exact::ExactFigures> m_figures;
};

}  // namespace diz
