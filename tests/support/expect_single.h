#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

// Compares a value stored as a Single with its hand-computed expectation:
// a relative tolerance of 1e-5 (absolute near zero) covers the rounding of
// the Single storage and of a chain of steps, nothing more.
#define EXPECT_SINGLE(actual, expected)                                                                      \
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),                                  \
                1e-5 * std::max(1.0, std::fabs(static_cast<double>(expected))))
