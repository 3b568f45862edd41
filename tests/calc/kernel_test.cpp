#include "calc/calc_kernel.h"
#include <gtest/gtest.h>
TEST(Kernel, Builds) { EXPECT_EQ(k5::pileArrangement(3).variant, 1); }
