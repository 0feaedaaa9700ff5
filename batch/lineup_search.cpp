#include "batch/lineup_search.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <mutex>
#include <numeric>
#include <span>
#include <thread>

#include "batch/text_io.h"
#include "diz/exact/exact_evaluator.h"

namespace diz {
namespace {

// Sets of rotations handed to the solver at a time: whole groups of lanes,
// and few enough that a stop is seen within a millisecond.
constexpr std::size_t kSetsPerSolve = 64;
// A local search moves at most this many times; it ends far sooner.
constexpr int kMaxMoves = 200;

using Choice = std::array<int, kLineupSize>;  // roster indices, ascending

std::uint64_t binomial(std::uint64_t n, std::uint64_t k) {
    if (k > n) return 0;
    std::uint64_t result = 1;
    for (std::uint64_t i = 1; i <= k; ++i) result = result * (n - k + i) / i;
    return result;
}

int fixedCount(const LineupConstraints& c) {
    return static_cast<int>(
        std::count_if(c.slot.begin(), c.slot.end(), [](int p) { return p >= 0; }));
}

// Players who must play (named or fixed in a slot) and those who may.
void splitPlayers(std::size_t players, const LineupConstraints& c, std::vector<int>& must,
                  std::vector<int>& may) {
    std::vector<char> state(players, 0);  // 1 must, 2 benched
    for (const int p : c.bench) state[static_cast<std::size_t>(p)] = 2;
    for (const int p : c.play) state[static_cast<std::size_t>(p)] = 1;
    for (const int p : c.slot) {
        if (p >= 0) state[static_cast<std::size_t>(p)] = 1;
    }
    for (std::size_t p = 0; p < players; ++p) {
        if (state[p] == 1) must.push_back(static_cast<int>(p));
        if (state[p] == 0) may.push_back(static_cast<int>(p));
    }
}

std::vector<Choice> allChoices(std::size_t players, const LineupConstraints& c) {
    std::vector<int> must, may;
    splitPlayers(players, c, must, may);
    std::vector<Choice> choices;
    const std::size_t free = kLineupSize - must.size();
    if (must.size() > static_cast<std::size_t>(kLineupSize) || may.size() < free) return choices;
    // Combinations of `free` of `may` in lexicographic order.
    std::vector<std::size_t> pick(free);
    std::iota(pick.begin(), pick.end(), std::size_t{0});
    while (true) {
        Choice choice{};
        std::size_t n = 0;
        for (const int p : must) choice[n++] = p;
        for (const std::size_t i : pick) choice[n++] = may[i];
        std::sort(choice.begin(), choice.end());
        choices.push_back(choice);
        std::size_t i = free;
        while (i > 0 && pick[i - 1] == may.size() - free + i - 1) --i;
        if (i == 0) break;
        ++pick[i - 1];
        for (std::size_t j = i; j < free; ++j) pick[j] = pick[j - 1] + 1;
    }
    return choices;
}

// The best lineups seen, at most `top`: a heap whose front is the worst kept.
class TopLineups {
  public:
    explicit TopLineups(std::size_t top) : m_top(top) { m_kept.reserve(top); }
    void add(const Lineup& lineup) {
        if (m_top == 0) return;
        if (m_kept.size() < m_top) {
            m_kept.push_back(lineup);
            std::push_heap(m_kept.begin(), m_kept.end(), betterLineup);
        } else if (betterLineup(lineup, m_kept.front())) {
            std::pop_heap(m_kept.begin(), m_kept.end(), betterLineup);
            m_kept.back() = lineup;
            std::push_heap(m_kept.begin(), m_kept.end(), betterLineup);
        }
    }
    // Worth adding: better than the worst kept, or room left.
    bool wants(double meanRuns) const {
        return m_top > 0 && (m_kept.size() < m_top || meanRuns >= m_kept.front().meanRuns);
    }
    const std::vector<Lineup>& kept() const { return m_kept; }

  private:
    std::size_t m_top;
    std::vector<Lineup> m_kept;
};

exact::Batters choiceBatters(const std::vector<RosterPlayer>& players, const Choice& choice) {
    exact::Batters batters{};
    for (int i = 0; i < kLineupSize; ++i) {
        batters[static_cast<std::size_t>(i)] = toBatterRecord(
            players[static_cast<std::size_t>(choice[static_cast<std::size_t>(i)])].batter, i);
    }
    return batters;
}

// Everything a worker thread needs, set up once: no allocation per order.
struct Worker {
    Worker(const exact::Batters& batters, std::size_t top)
        : solver(batters), best(top), screened(top) {}
    exact::RotationSolver solver;
    std::array<BattingOrder, kSetsPerSolve> orders{};
    std::array<std::array<double, kLineupSize>, kSetsPerSolve> means{};
    TopLineups best;      // of the choices ranked
    TopLineups screened;  // the screening's best of each choice
    std::uint64_t setsSolved = 0;
    bool capped = false;
};

class Search {
  public:
    Search(const std::vector<RosterPlayer>& players, const LineupConstraints& constraints,
           const LineupSearchOptions& options)
        : m_players(players), m_constraints(constraints), m_options(options) {}

    LineupSearchResult run();

  private:
    bool stopped() const {
        return m_abort.load(std::memory_order_relaxed) ||
               (m_options.stop != nullptr && m_options.stop->load(std::memory_order_relaxed));
    }
    void counted(std::uint64_t orders) {
        const std::uint64_t done = m_orders.fetch_add(orders) + orders;
        if (m_options.progress) m_options.progress(done);
    }

    // Per choice: which local player (0..8, the choice's index) is fixed in
    // each slot, -1 for none.
    using LocalSlots = std::array<int, kLineupSize>;
    LocalSlots localSlots(const Choice& choice) const;
    // Bit r set when rotation r of `order` keeps every fixed player in its slot.
    static unsigned allowedRotations(const BattingOrder& order, const LocalSlots& slots);

    // Runs `work(worker, item)` for items 0..count-1 on the worker threads.
    template <class Work>
    void onWorkers(std::size_t count, const Work& work);

    void rank(Worker& worker, const Choice& choice);
    double screen(Worker& worker, const Choice& choice);
    Lineup lineupOf(const Choice& choice, const BattingOrder& order, int rotation,
                    double meanRuns) const;

    const std::vector<RosterPlayer>& m_players;
    const LineupConstraints& m_constraints;
    const LineupSearchOptions& m_options;
    std::vector<Choice> m_choices;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::atomic<bool> m_abort{false};
    std::atomic<std::uint64_t> m_orders{0};
    std::mutex m_errorMutex;
    std::exception_ptr m_error;
};

Search::LocalSlots Search::localSlots(const Choice& choice) const {
    LocalSlots slots;
    slots.fill(-1);
    for (int s = 0; s < kLineupSize; ++s) {
        const int player = m_constraints.slot[static_cast<std::size_t>(s)];
        if (player < 0) continue;
        const auto at = std::find(choice.begin(), choice.end(), player) - choice.begin();
        slots[static_cast<std::size_t>(s)] = static_cast<int>(at);
    }
    return slots;
}

unsigned Search::allowedRotations(const BattingOrder& order, const LocalSlots& slots) {
    unsigned allowed = 0;
    for (int r = 0; r < kLineupSize; ++r) {
        bool ok = true;
        for (int s = 0; s < kLineupSize && ok; ++s) {
            const int local = slots[static_cast<std::size_t>(s)];
            ok = local < 0 || order[static_cast<std::size_t>((r + s) % kLineupSize)] == local;
        }
        if (ok) allowed |= 1u << r;
    }
    return allowed;
}

Lineup Search::lineupOf(const Choice& choice, const BattingOrder& order, int rotation,
                        double meanRuns) const {
    Lineup lineup;
    for (int j = 0; j < kLineupSize; ++j) {
        lineup.players[static_cast<std::size_t>(j)] =
            choice[order[static_cast<std::size_t>((rotation + j) % kLineupSize)]];
    }
    lineup.meanRuns = meanRuns;
    return lineup;
}

template <class Work>
void Search::onWorkers(std::size_t count, const Work& work) {
    std::atomic<std::size_t> next{0};
    const auto body = [&](Worker& worker) {
        try {
            for (std::size_t item = next++; item < count && !stopped(); item = next++) {
                work(worker, item);
            }
        } catch (...) {
            const std::lock_guard lock(m_errorMutex);
            if (!m_error) m_error = std::current_exception();
            m_abort.store(true);
        }
    };
    std::vector<std::thread> threads;
    try {
        for (std::size_t w = 1; w < m_workers.size(); ++w) {
            threads.emplace_back(body, std::ref(*m_workers[w]));
        }
    } catch (...) {
        m_abort.store(true);
        for (std::thread& t : threads) t.join();
        throw;
    }
    body(*m_workers[0]);
    for (std::thread& t : threads) t.join();
    if (m_error) std::rethrow_exception(m_error);
}

// Every order of the choice its constraints allow: each set of rotations is
// named by its rotation that starts with the choice's first player.
void Search::rank(Worker& worker, const Choice& choice) {
    worker.solver.setBatters(choiceBatters(m_players, choice));
    const LocalSlots slots = localSlots(choice);
    std::array<unsigned, kSetsPerSolve> allowed{};
    std::size_t pending = 0;
    const auto solvePending = [&] {
        const std::span orders = std::span(worker.orders).first(pending);
        if (worker.solver.solve(orders, std::span(worker.means).first(pending))) {
            worker.capped = true;
        }
        worker.setsSolved += pending;
        std::uint64_t evaluated = 0;
        for (std::size_t k = 0; k < pending; ++k) {
            for (int r = 0; r < kLineupSize; ++r) {
                if ((allowed[k] >> r & 1u) == 0) continue;
                ++evaluated;
                const double mean = worker.means[k][static_cast<std::size_t>(r)];
                if (worker.best.wants(mean)) worker.best.add(lineupOf(choice, orders[k], r, mean));
            }
        }
        counted(evaluated);
        pending = 0;
    };
    BattingOrder order{0, 1, 2, 3, 4, 5, 6, 7, 8};
    do {
        const unsigned rotations = allowedRotations(order, slots);
        if (rotations == 0) continue;
        worker.orders[pending] = order;
        allowed[pending] = rotations;
        if (++pending == kSetsPerSolve) {
            if (stopped()) return;
            solvePending();
        }
    } while (std::next_permutation(order.begin() + 1, order.end()));
    if (pending > 0 && !stopped()) solvePending();
}

// A local search over the choice's orders from two starts, each move to the
// best order that swapping two batters (and turning the order round) gives;
// returns the best expected runs found and offers that lineup to the top.
double Search::screen(Worker& worker, const Choice& choice) {
    worker.solver.setBatters(choiceBatters(m_players, choice));
    const LocalSlots slots = localSlots(choice);

    // The first start puts the best hitters (by on-base plus slugging) first,
    // the second keeps the roster's order: two unlike starts between them
    // find the best order of nearly every choice.
    std::array<double, kLineupSize> strength{};
    for (int i = 0; i < kLineupSize; ++i) {
        const BatterEntry& b =
            m_players[static_cast<std::size_t>(choice[static_cast<std::size_t>(i)])].batter;
        const double pa = static_cast<double>(b.atBats) + b.walks;
        const double onBase = (b.singles + b.doubles + b.triples + b.homeRuns + b.walks) / pa;
        const double slugging =
            (b.singles + 2.0 * b.doubles + 3.0 * b.triples + 4.0 * b.homeRuns) / b.atBats;
        strength[static_cast<std::size_t>(i)] = onBase + slugging;
    }
    std::array<BattingOrder, 2> starts{};
    for (int s = 0; s < 2; ++s) {
        std::array<int, kLineupSize> rest{};
        int count = 0;
        for (int l = 0; l < kLineupSize; ++l) {
            if (std::find(slots.begin(), slots.end(), l) == slots.end())
                rest[static_cast<std::size_t>(count++)] = l;
        }
        if (s == 0) {
            std::stable_sort(rest.begin(), rest.begin() + count, [&](int a, int b) {
                return strength[static_cast<std::size_t>(a)] >
                       strength[static_cast<std::size_t>(b)];
            });
        }
        int next = 0;
        for (int slot = 0; slot < kLineupSize; ++slot) {
            const int fixed = slots[static_cast<std::size_t>(slot)];
            starts[static_cast<std::size_t>(s)][static_cast<std::size_t>(slot)] =
                static_cast<std::uint8_t>(fixed >= 0 ? fixed
                                                     : rest[static_cast<std::size_t>(next++)]);
        }
    }

    Lineup best{};
    best.meanRuns = -1.0;
    for (const BattingOrder& start : starts) {
        BattingOrder current = start;
        double currentMean = -1.0;
        // The start's own set first, then each move's neighbours.
        std::size_t pending = 0;
        worker.orders[pending++] = current;
        for (int move = 0; move <= kMaxMoves && !stopped(); ++move) {
            const std::span orders = std::span(worker.orders).first(pending);
            if (worker.solver.solve(orders, std::span(worker.means).first(pending))) {
                worker.capped = true;
            }
            worker.setsSolved += pending;
            std::uint64_t evaluated = 0;
            int bestSet = -1;
            int bestRotation = 0;
            double bestMean = currentMean;
            for (std::size_t k = 0; k < pending; ++k) {
                const unsigned allowed = allowedRotations(orders[k], slots);
                for (int r = 0; r < kLineupSize; ++r) {
                    if ((allowed >> r & 1u) == 0) continue;
                    ++evaluated;
                    const double mean = worker.means[k][static_cast<std::size_t>(r)];
                    if (mean > bestMean) {
                        bestMean = mean;
                        bestSet = static_cast<int>(k);
                        bestRotation = r;
                    }
                }
            }
            counted(evaluated);
            if (bestSet < 0) break;
            const BattingOrder from = orders[static_cast<std::size_t>(bestSet)];
            for (int j = 0; j < kLineupSize; ++j) {
                current[static_cast<std::size_t>(j)] =
                    from[static_cast<std::size_t>((bestRotation + j) % kLineupSize)];
            }
            currentMean = bestMean;
            pending = 0;
            for (int i = 0; i < kLineupSize; ++i) {
                if (slots[static_cast<std::size_t>(i)] >= 0) continue;
                for (int j = i + 1; j < kLineupSize; ++j) {
                    if (slots[static_cast<std::size_t>(j)] >= 0) continue;
                    BattingOrder swapped = current;
                    std::swap(swapped[static_cast<std::size_t>(i)],
                              swapped[static_cast<std::size_t>(j)]);
                    worker.orders[pending++] = swapped;
                }
            }
            if (pending == 0) break;
        }
        const Lineup found = lineupOf(choice, current, 0, currentMean);
        if (betterLineup(found, best)) best = found;
    }
    if (best.meanRuns >= 0.0) worker.screened.add(best);
    return best.meanRuns;
}

LineupSearchResult Search::run() {
    LineupSearchResult result;
    m_choices = allChoices(m_players.size(), m_constraints);
    result.choices = m_choices.size();
    if (m_choices.empty()) return result;

    int jobs = m_options.jobs;
    if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const std::size_t workers =
        std::min<std::size_t>(static_cast<std::size_t>(jobs), m_choices.size());
    const exact::Batters first = choiceBatters(m_players, m_choices.front());
    for (std::size_t w = 0; w < workers; ++w) {
        m_workers.push_back(std::make_unique<Worker>(first, m_options.top));
    }

    // Which choices have every order evaluated: all of them, or the best
    // screened ones.
    std::vector<std::size_t> ranked(m_choices.size());
    std::iota(ranked.begin(), ranked.end(), std::size_t{0});
    const std::size_t rankedMin = std::max<std::size_t>(1, m_options.rankedChoicesMin);
    if (!m_options.exhaustive && m_choices.size() > rankedMin) {
        std::vector<double> screened(m_choices.size(), -1.0);
        onWorkers(m_choices.size(), [&](Worker& worker, std::size_t c) {
            screened[c] = screen(worker, m_choices[c]);
        });
        std::stable_sort(ranked.begin(), ranked.end(),
                         [&](std::size_t a, std::size_t b) { return screened[a] > screened[b]; });
        const double top = screened[ranked.front()];
        std::size_t keep = rankedMin;
        while (keep < ranked.size() && keep < kRankedChoicesMax &&
               screened[ranked[keep]] >= top - m_options.screenMargin) {
            ++keep;
        }
        ranked.resize(keep);
    }
    std::atomic<std::uint64_t> rankedDone{0};
    if (!stopped()) {
        onWorkers(ranked.size(), [&](Worker& worker, std::size_t i) {
            rank(worker, m_choices[ranked[i]]);
            if (!stopped()) ++rankedDone;
        });
    }
    result.interrupted = stopped();
    result.ranked = rankedDone.load();

    // A screened lineup may be a ranked choice's too: one entry each, the
    // larger figure (the same order solved as another rotation may differ in
    // the last bit).
    std::vector<Lineup> all;
    for (const auto& worker : m_workers) {
        all.insert(all.end(), worker->best.kept().begin(), worker->best.kept().end());
        all.insert(all.end(), worker->screened.kept().begin(), worker->screened.kept().end());
        result.setsSolved += worker->setsSolved;
        result.capped = result.capped || worker->capped;
    }
    std::sort(all.begin(), all.end(), [](const Lineup& a, const Lineup& b) {
        return a.players != b.players ? a.players < b.players : a.meanRuns > b.meanRuns;
    });
    all.erase(std::unique(all.begin(), all.end(),
                          [](const Lineup& a, const Lineup& b) { return a.players == b.players; }),
              all.end());
    // Each lineup's figures as diz-cli exact gives them for its batter table,
    // where the order is "abcdefghi".
    for (Lineup& lineup : all) {
        exact::ExactEvaluator evaluator(buildRecords(lineupTable(m_players, lineup)));
        lineup.meanRuns = evaluator.evaluate(BattingOrder{0, 1, 2, 3, 4, 5, 6, 7, 8}).meanRuns;
    }
    std::sort(all.begin(), all.end(), betterLineup);
    if (all.size() > m_options.top) all.resize(m_options.top);
    result.best = std::move(all);
    result.orders = m_orders.load();
    result.cap = exact::kPlateAppearanceCap;
    return result;
}

}  // namespace

bool betterLineup(const Lineup& a, const Lineup& b) {
    if (a.meanRuns != b.meanRuns) return a.meanRuns > b.meanRuns;
    return a.players < b.players;
}

std::optional<std::string> resolveConstraints(const Roster& roster,
                                              const std::vector<std::string>& play,
                                              const std::vector<std::string>& bench,
                                              const std::vector<SlotRequest>& slots,
                                              LineupConstraints& out) {
    const auto find = [&](const std::string& name) -> int {
        for (std::size_t p = 0; p < roster.players.size(); ++p) {
            if (roster.players[p].name == name) return static_cast<int>(p);
        }
        return -1;
    };
    LineupConstraints c;
    std::vector<char> state(roster.players.size(), 0);  // 1 plays, 2 benched
    for (const std::string& name : play) {
        const int p = find(name);
        if (p < 0) return "no player named '" + name + "' in the roster";
        c.play.push_back(p);
        state[static_cast<std::size_t>(p)] = 1;
    }
    for (const std::string& name : bench) {
        const int p = find(name);
        if (p < 0) return "no player named '" + name + "' in the roster";
        if (state[static_cast<std::size_t>(p)] == 1) {
            return "'" + name + "' is both to play and to sit on the bench";
        }
        c.bench.push_back(p);
        state[static_cast<std::size_t>(p)] = 2;
    }
    for (const SlotRequest& request : slots) {
        const int p = find(request.name);
        if (p < 0) return "no player named '" + request.name + "' in the roster";
        if (request.slot < 1 || request.slot > kLineupSize) {
            return "a batting slot is 1 to 9: " + std::to_string(request.slot);
        }
        if (state[static_cast<std::size_t>(p)] == 2) {
            return "'" + request.name + "' is both on the bench and in slot " +
                   std::to_string(request.slot);
        }
        int& slot = c.slot[static_cast<std::size_t>(request.slot - 1)];
        if (slot >= 0) return "slot " + std::to_string(request.slot) + " is given twice";
        if (std::find(c.slot.begin(), c.slot.end(), p) != c.slot.end()) {
            return "'" + request.name + "' is given two slots";
        }
        slot = p;
        state[static_cast<std::size_t>(p)] = 1;
    }
    const auto playing = std::count(state.begin(), state.end(), 1);
    const auto benched = std::count(state.begin(), state.end(), 2);
    if (playing > kLineupSize) {
        return std::to_string(playing) + " players must play, but a lineup has nine";
    }
    if (static_cast<long>(roster.players.size()) - benched < kLineupSize) {
        return "only " + std::to_string(static_cast<long>(roster.players.size()) - benched) +
               " players may play, but a lineup needs nine";
    }
    out = std::move(c);
    return std::nullopt;
}

std::uint64_t countChoices(std::size_t players, const LineupConstraints& constraints) {
    std::vector<int> must, may;
    splitPlayers(players, constraints, must, may);
    if (must.size() > static_cast<std::size_t>(kLineupSize)) return 0;
    return binomial(may.size(), kLineupSize - must.size());
}

std::uint64_t ordersPerChoice(const LineupConstraints& constraints) {
    std::uint64_t orders = 1;
    for (int n = 2; n <= kLineupSize - fixedCount(constraints); ++n)
        orders *= static_cast<std::uint64_t>(n);
    return orders;
}

LineupSearchResult searchLineups(const std::vector<RosterPlayer>& players,
                                 const LineupConstraints& constraints,
                                 const LineupSearchOptions& options) {
    Search search(players, constraints, options);
    return search.run();
}

BatterTable lineupTable(const std::vector<RosterPlayer>& players, const Lineup& lineup) {
    BatterTable table{};
    for (int k = 0; k < kLineupSize; ++k) {
        table[static_cast<std::size_t>(k)] =
            players[static_cast<std::size_t>(lineup.players[static_cast<std::size_t>(k)])].batter;
    }
    return table;
}

TrialResult lineupFigures(const std::vector<RosterPlayer>& players, const Lineup& lineup,
                          GamesPerOrder games) {
    exact::ExactEvaluator evaluator(buildRecords(lineupTable(players, lineup)));
    const exact::ExactFigures f = evaluator.evaluate(BattingOrder{0, 1, 2, 3, 4, 5, 6, 7, 8});
    TrialResult figures;
    figures.meanRuns = f.meanRuns;
    figures.standardError = f.sdRuns / std::sqrt(static_cast<double>(games));
    figures.inningRuns = f.inningRuns;
    figures.inningScoring = f.inningScoring;
    return figures;
}

std::string lineupNames(const std::vector<RosterPlayer>& players, const Lineup& lineup) {
    std::string text;
    for (int k = 0; k < kLineupSize; ++k) {
        if (k > 0) text += "  ";
        text += std::to_string(k + 1);
        text += ' ';
        text += players[static_cast<std::size_t>(lineup.players[static_cast<std::size_t>(k)])].name;
    }
    return text;
}

std::string lineupCsv(const std::vector<RosterPlayer>& players,
                      const std::vector<Lineup>& lineups) {
    std::string out = "\xEF\xBB\xBFrank,expected runs,gap";
    for (int k = 1; k <= kLineupSize; ++k) {
        out += ',';
        out += std::to_string(k);
    }
    out += "\r\n";
    for (std::size_t i = 0; i < lineups.size(); ++i) {
        out += std::to_string(i + 1);
        out += ',';
        appendFixed(out, lineups[i].meanRuns, 6);
        out += ',';
        appendFixed(out, lineups[i].meanRuns - lineups.front().meanRuns, 6);
        for (const int p : lineups[i].players) {
            out += ',';
            out += csvField(players[static_cast<std::size_t>(p)].name);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace diz
