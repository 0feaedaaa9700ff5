// Lanes<W>: one double for each of W batting orders solved in lockstep, and
// the buffers that hold them. Every operation on lanes is elementwise IEEE
// arithmetic, so lane k of a result is, to the bit, what the same code gives
// for order k alone with W = 1: the width changes the speed, never a figure.
// That holds as long as no multiply and add are fused, which is why the
// library is built with -ffp-contract=off.
//
// The vector types are declared with their full alignment. Without it their
// alignment would depend on the instruction set a function is compiled for
// (16 bytes for plain x86-64, 64 with AVX-512), and code of different paths
// (see cycle_solver.cpp) would disagree about the same memory. Where the
// compiler drops the attribute (a deduced `auto`, a template argument) it
// falls back to that smaller alignment, which is safe; still, the solve names
// its lane types explicitly.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace diz::exact {

typedef double Double4 __attribute__((vector_size(32), aligned(32)));
typedef double Double8 __attribute__((vector_size(64), aligned(64)));

template <int W>
struct LaneType;
template <>
struct LaneType<1> {
    using Type = double;
};
template <>
struct LaneType<4> {
    using Type = Double4;
};
template <>
struct LaneType<8> {
    using Type = Double8;
};

template <int W>
using Lanes = typename LaneType<W>::Type;
static_assert(alignof(Lanes<4>) == 32 && alignof(Lanes<8>) == 64);
static_assert(sizeof(Lanes<8>) == 8 * sizeof(double));

inline constexpr int kMaxLanes = 8;

template <int W>
[[gnu::always_inline]] inline double lane(const Lanes<W>& v, int l) {
    if constexpr (W == 1) {
        return v;
    } else {
        return v[l];
    }
}

template <int W>
[[gnu::always_inline]] inline void setLane(Lanes<W>& v, int l, double x) {
    if constexpr (W == 1) {
        v = x;
    } else {
        v[l] = x;
    }
}

// `count` lanes, zeroed. Not std::vector, nor any template over a lane type:
// a vector type loses its declared alignment as a template argument, and the
// allocator would then align it to 16 bytes only.
template <int W>
class LaneBuffer {
  public:
    LaneBuffer() = default;
    explicit LaneBuffer(std::size_t count)
        : m_storage(static_cast<double*>(::operator new(count* W * sizeof(double), kAlignment))),
          m_size(count) {
        for (std::size_t i = 0; i < count * W; ++i) m_storage.get()[i] = 0.0;
    }

    Lanes<W>* data() const { return reinterpret_cast<Lanes<W>*>(m_storage.get()); }
    std::size_t size() const { return m_size; }

  private:
    static constexpr std::align_val_t kAlignment{64};
    struct Free {
        void operator()(double* p) const { ::operator delete(p, kAlignment); }
    };
    std::unique_ptr<double, Free> m_storage;
    std::size_t m_size = 0;
};

}  // namespace diz::exact
