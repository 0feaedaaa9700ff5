#include "engine/random_source.h"

#include <gtest/gtest.h>

namespace diz::engine {
namespace {

TEST(RandomSource, FreshStateGivesTheFixedSequence) {
    RandomSource random;
    EXPECT_EQ(random.next15(), 41u);
    EXPECT_EQ(random.next15(), 18467u);
    EXPECT_EQ(random.next15(), 6334u);
}

}  // namespace
}  // namespace diz::engine
