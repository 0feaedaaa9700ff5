#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "diz/exact/exact_evaluator.h"
#include "diz/exact/parallel_for.h"
#include "exact/order_solver.h"

namespace diz::exact {
namespace {

// New sets per task: several groups of lanes, so a task outweighs taking it,
// and few enough tasks per batch of orders to share them out evenly.
constexpr std::size_t kSetsPerTask = 64;
// The remembered figures grow in chunks, so that growing never holds two
// copies: of 1024 sets, or of 2 MB when more sets than that are remembered and
// 1024 of them would take more than 1 MB. With the inning figures all 40320
// sets take 58 MB, written once by the workers as they solve; on Linux each
// of those chunks is one huge page, so that writing them takes a few dozen
// page faults instead of fourteen thousand (several microseconds each on a
// virtual machine, and the workers take them in turn).
constexpr std::size_t kSetsPerChunk = 1024;
constexpr std::size_t kHugeChunkBytes = std::size_t{2} << 20;

struct ChunkFree {
    void operator()(double* chunk) const { std::free(chunk); }
};
using Chunk = std::unique_ptr<double[], ChunkFree>;

Chunk newChunk(std::size_t bytes) {
    void* memory = nullptr;
#if defined(__linux__)
    if (bytes == kHugeChunkBytes) {
        memory = std::aligned_alloc(kHugeChunkBytes, kHugeChunkBytes);
        if (memory != nullptr) madvise(memory, kHugeChunkBytes, MADV_HUGEPAGE);
    }
#endif
    if (memory == nullptr) memory = std::malloc(bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return Chunk(static_cast<double*>(memory));
}
constexpr std::uint32_t kNoSlot = ~std::uint32_t{0};
constexpr unsigned kEveryBatter = (1u << kLineupSize) - 1;

// kBitsSet[mask]: the batters in a set of them; std::popcount would call a
// library function on plain x86-64, once per batter of every order.
constexpr auto kBitsSet = [] {
    std::array<std::uint8_t, kEveryBatter + 1> bits{};
    for (unsigned mask = 1; mask <= kEveryBatter; ++mask) {
        bits[mask] = static_cast<std::uint8_t>(bits[mask >> 1] + (mask & 1));
    }
    return bits;
}();

// A set of rotations is named by its lexicographically smallest rotation, the
// representative that is solved; an order is that rotation started at
// `leadoff`. Nine different batters make the smallest rotation the one that
// starts with batter 0, and the set is numbered by the rank of the other
// eight among their 8! orderings; other sets by the packed batters.
struct RotationSet {
    bool ranked;
    std::uint64_t key;  // the rank, or the packed representative
    BattingOrder representative;
    int leadoff;
};

std::uint64_t packed(const BattingOrder& order, int start) {
    std::uint64_t key = 0;
    for (int i = 0; i < kLineupSize; ++i) key = key << 4 | order[(start + i) % kLineupSize];
    return key;
}

RotationSet rotationSet(const BattingOrder& order) {
    unsigned present = 0;
    for (const std::uint8_t batter : order) present |= 1u << batter;
    int best = 0;
    std::uint64_t key = 0;
    const bool ranked = present == kEveryBatter;
    if (ranked) {
        best = static_cast<int>(std::find(order.begin(), order.end(), 0) - order.begin());
    } else {
        key = packed(order, 0);
        for (int start = 1; start < kLineupSize; ++start) {
            const std::uint64_t candidate = packed(order, start);
            if (candidate < key) {
                key = candidate;
                best = start;
            }
        }
    }
    RotationSet set{ranked, key, {}, (kLineupSize - best) % kLineupSize};
    for (int i = 0; i < kLineupSize; ++i) set.representative[i] = order[(best + i) % kLineupSize];
    if (ranked) {
        // Mixed radix 8, 7, ..., 1: how many of the batters still to come
        // are smaller than each one.
        unsigned remaining = kEveryBatter & ~1u;
        for (int i = 1; i < kLineupSize; ++i) {
            const unsigned batter = set.representative[i];
            const unsigned smaller = kBitsSet[remaining & ((1u << batter) - 1)];
            set.key = set.key * static_cast<unsigned>(kLineupSize - i) + smaller;
            remaining &= ~(1u << batter);
        }
    }
    return set;
}

// Where an order's figures are: the remembered set and the rotation.
struct OrderRef {
    std::uint32_t slot;
    std::uint8_t leadoff;
};

// A set first seen since the last solve, with the orders waiting for it.
struct NewSet {
    BattingOrder representative;
    std::uint32_t slot;
    std::uint32_t waiting;
};

// A worker's solver and the buffers of one task, kept from task to task.
struct Worker {
    explicit Worker(const Batters& batters) : solver(batters) {}
    OrderSolver solver;
    std::array<BattingOrder, kSetsPerTask> orders{};
    std::array<RotationFigures, kSetsPerTask> figures{};
};

}  // namespace

struct OrderStream::State {
    Batters batters;
    EvaluationOptions options;
    KeptFigures kept;
    std::size_t width;  // doubles kept per rotation
    std::size_t chunkBytes;
    std::size_t setsPerChunk;  // sets of rotations in a chunk

    std::vector<std::uint32_t> slotOfRank;  // kRotationSets entries once needed
    std::vector<std::uint32_t> ranksUsed;
    std::unordered_map<std::uint64_t, std::uint32_t> slotOfKey;
    std::vector<Chunk> chunks;
    std::size_t slotsUsed = 0;
    EvaluationStats stats;

    std::mutex idleMutex;
    std::vector<std::unique_ptr<Worker>> idle;

    std::vector<OrderRef> refs;
    std::vector<NewSet> newSets;

    double* slot(std::size_t s) {
        return chunks[s / setsPerChunk].get() + (s % setsPerChunk) * kLineupSize * width;
    }
    std::uint32_t* find(const RotationSet& set);
    void remember(const RotationSet& set, std::uint32_t slot);
    void forget();
    std::uint32_t takeSlot();
    void keep(std::size_t s, const RotationFigures& rotations);
    // Written over every figure of `f`; those not kept are zero.
    void recall(const OrderRef& ref, ExactFigures& f);
    // Every cache line of the rotation's figures, the last one included
    // where they do not start at a line's beginning. Always inlined: GCC
    // takes a function that only prefetches for one without effect, and
    // from -O2 on drops the calls to it.
    [[gnu::always_inline]] void prefetch(const OrderRef& ref) {
        constexpr std::uintptr_t kLine = 64;
        const auto at = reinterpret_cast<std::uintptr_t>(slot(ref.slot) + ref.leadoff * width);
        const std::uintptr_t end = at + width * sizeof(double);
        for (std::uintptr_t line = at & ~(kLine - 1); line < end; line += kLine) {
            __builtin_prefetch(reinterpret_cast<const void*>(line));
        }
    }
    std::unique_ptr<Worker> takeWorker();
    void giveBack(std::unique_ptr<Worker> worker);
    bool solveNewSets(std::atomic<std::size_t>& done);
};

std::uint32_t* OrderStream::State::find(const RotationSet& set) {
    if (set.ranked) {
        if (slotOfRank.empty()) slotOfRank.assign(kRotationSets, kNoSlot);
        std::uint32_t& slot = slotOfRank[set.key];
        return slot == kNoSlot ? nullptr : &slot;
    }
    const auto found = slotOfKey.find(set.key);
    return found == slotOfKey.end() ? nullptr : &found->second;
}

void OrderStream::State::remember(const RotationSet& set, std::uint32_t slot) {
    if (set.ranked) {
        slotOfRank[set.key] = slot;
        ranksUsed.push_back(static_cast<std::uint32_t>(set.key));
    } else {
        slotOfKey.emplace(set.key, slot);
    }
}

void OrderStream::State::forget() {
    for (const std::uint32_t rank : ranksUsed) slotOfRank[rank] = kNoSlot;
    ranksUsed.clear();
    slotOfKey.clear();
    slotsUsed = 0;
}

std::uint32_t OrderStream::State::takeSlot() {
    if (slotsUsed == chunks.size() * setsPerChunk) {
        chunks.push_back(newChunk(chunkBytes));
    }
    return static_cast<std::uint32_t>(slotsUsed++);
}

void OrderStream::State::keep(std::size_t s, const RotationFigures& rotations) {
    double* out = slot(s);
    for (const ExactFigures& f : rotations) {
        *out++ = f.meanRuns;
        if (kept.sdRuns) *out++ = f.sdRuns;
        if (kept.inningRuns) out = std::copy(f.inningRuns.begin(), f.inningRuns.end(), out);
        if (kept.inningScoring) {
            out = std::copy(f.inningScoring.begin(), f.inningScoring.end(), out);
        }
    }
}

void OrderStream::State::recall(const OrderRef& ref, ExactFigures& f) {
    const double* in = slot(ref.slot) + ref.leadoff * width;
    f.meanRuns = *in++;
    f.sdRuns = kept.sdRuns ? *in++ : 0.0;
    if (kept.inningRuns) {
        std::copy(in, in + kInnings, f.inningRuns.begin());
        in += kInnings;
    } else {
        f.inningRuns = {};
    }
    if (kept.inningScoring) {
        std::copy(in, in + kInnings, f.inningScoring.begin());
    } else {
        f.inningScoring = {};
    }
}

std::unique_ptr<Worker> OrderStream::State::takeWorker() {
    {
        const std::lock_guard lock(idleMutex);
        if (!idle.empty()) {
            std::unique_ptr<Worker> worker = std::move(idle.back());
            idle.pop_back();
            return worker;
        }
    }
    return std::make_unique<Worker>(batters);
}

void OrderStream::State::giveBack(std::unique_ptr<Worker> worker) {
    const std::lock_guard lock(idleMutex);
    idle.push_back(std::move(worker));
}

// Every set's figures come from its own solve, whichever task, lane or thread
// it falls to, so the tasks can be cut anywhere.
bool OrderStream::State::solveNewSets(std::atomic<std::size_t>& done) {
    if (newSets.empty()) return true;
    const std::size_t taskCount = (newSets.size() + kSetsPerTask - 1) / kSetsPerTask;
    std::atomic<bool> capped{false};
    forEachBatch(taskCount, options.jobs, [&](std::size_t t) {
        if (options.cancel != nullptr && options.cancel->load()) return;
        std::unique_ptr<Worker> worker = takeWorker();
        const std::size_t first = t * kSetsPerTask;
        const std::size_t count = std::min(kSetsPerTask, newSets.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            worker->orders[i] = newSets[first + i].representative;
        }
        if (worker->solver.rotations(std::span(worker->orders).first(count), kept,
                                     std::span(worker->figures).first(count))) {
            capped.store(true);
        }
        std::size_t waiting = 0;
        for (std::size_t i = 0; i < count; ++i) {
            keep(newSets[first + i].slot, worker->figures[i]);
            waiting += newSets[first + i].waiting;
        }
        giveBack(std::move(worker));
        if (options.onProgress) options.onProgress(done.fetch_add(waiting) + waiting);
    });
    if (options.cancel != nullptr && options.cancel->load()) return false;

    stats.halfInningSolves += newSets.size();
    stats.capped = stats.capped || capped.load();
    newSets.clear();
    return true;
}

OrderStream::OrderStream(const Batters& batters, EvaluationOptions options, KeptFigures kept)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.batters = batters;
    s.options = std::move(options);
    s.kept = kept;
    s.width = 1 + (kept.sdRuns ? 1 : 0) + (kept.inningRuns ? kInnings : 0) +
              (kept.inningScoring ? kInnings : 0);
    const std::size_t setBytes = kLineupSize * s.width * sizeof(double);
    const bool large =
        s.options.rememberedSets > kSetsPerChunk && kSetsPerChunk * setBytes > kHugeChunkBytes / 2;
    s.chunkBytes = large ? kHugeChunkBytes : kSetsPerChunk * setBytes;
    s.setsPerChunk = s.chunkBytes / setBytes;
}

OrderStream::~OrderStream() = default;

const EvaluationStats& OrderStream::stats() const { return m_state->stats; }

bool OrderStream::evaluate(std::span<const BattingOrder> orders, std::span<ExactFigures> figures) {
    State& s = *m_state;
    s.refs.resize(orders.size());
    std::atomic<std::size_t> done{0};
    // Orders from `ready` on wait for sets solved at the next solveNewSets.
    std::size_t ready = 0;
    const auto fill = [&](std::size_t end) {
        // The orders of a run rarely come with their sets in the order the
        // sets are remembered (lexicographic order meets a set nine times,
        // once for each first batter), so the figures are fetched from
        // memory well ahead of their turn; pieces of the orders are filled
        // beside one another.
        constexpr std::size_t kAhead = 8;
        constexpr std::size_t kOrdersPerPiece = 2048;
        const std::size_t begin = ready;
        const auto fillPiece = [&](std::size_t piece) {
            const std::size_t from = begin + piece * kOrdersPerPiece;
            const std::size_t to = std::min(end, from + kOrdersPerPiece);
            for (std::size_t k = from; k != to; ++k) {
                if (k + kAhead < to) s.prefetch(s.refs[k + kAhead]);
                s.recall(s.refs[k], figures[k]);
            }
        };
        const std::size_t pieces = (end - begin + kOrdersPerPiece - 1) / kOrdersPerPiece;
        if (pieces > 1) {
            forEachBatch(pieces, s.options.jobs, fillPiece);
        } else if (pieces == 1) {
            fillPiece(0);
        }
        ready = end;
    };

    std::size_t firstNewSlot = s.slotsUsed;
    // Orders whose sets were solved before, counted as done before each solve.
    std::size_t known = 0;
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const RotationSet set = rotationSet(orders[k]);
        std::uint32_t slot = 0;
        if (const std::uint32_t* found = s.find(set)) {
            slot = *found;
        } else {
            if (s.slotsUsed >= std::max<std::size_t>(1, s.options.rememberedSets)) {
                // Full: solve what waits, then forget every set.
                done += std::exchange(known, 0);
                if (!s.solveNewSets(done)) return false;
                fill(k);
                s.forget();
                firstNewSlot = 0;
            }
            slot = s.takeSlot();
            s.remember(set, slot);
            s.newSets.push_back({set.representative, slot, 0});
        }
        s.refs[k] = {slot, static_cast<std::uint8_t>(set.leadoff)};
        if (slot >= firstNewSlot) {
            ++s.newSets[slot - firstNewSlot].waiting;
        } else {
            ++known;
        }
    }
    done += known;
    if (!s.solveNewSets(done)) return false;
    fill(orders.size());
    s.stats.orders += orders.size();
    if (s.options.onProgress) s.options.onProgress(orders.size());
    return true;
}

}  // namespace diz::exact
