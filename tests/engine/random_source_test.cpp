#include "random_source.h"

#include <gtest/gtest.h>

namespace diz::engine {
namespace {

// Advances a copy of `random` until its next 15-bit value is `wanted`, and
// returns the source positioned just before that draw.
RandomSource positionedBefore(std::uint32_t wanted) {
    RandomSource random;
    for (;;) {
        RandomSource probe = random;
        if (probe.next15() == wanted) return random;
        random.next15();
    }
}

TEST(RandomSource, FreshStateGivesTheFixedSequence) {
    RandomSource random;
    EXPECT_EQ(random.next15(), 41u);
    EXPECT_EQ(random.next15(), 18467u);
    EXPECT_EQ(random.next15(), 6334u);
}

TEST(RandomSource, UniformDrawStopsShortOfOne) {
    RandomSource top = positionedBefore(32767);
    EXPECT_EQ(top.drawUniform(), 32767.0 / 32768.0);
    RandomSource bottom = positionedBefore(0);
    EXPECT_EQ(bottom.drawUniform(), 0.0);
}

TEST(RandomSource, ThousandthsDrawReachesBothEnds) {
    RandomSource one = positionedBefore(1000);
    EXPECT_EQ(one.drawThousandths(), 1.0);
    RandomSource alsoOne = positionedBefore(2001);
    EXPECT_EQ(alsoOne.drawThousandths(), 1.0);
    RandomSource zero = positionedBefore(1001);
    EXPECT_EQ(zero.drawThousandths(), 0.0);
}

}  // namespace
}  // namespace diz::engine
