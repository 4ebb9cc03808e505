#pragma once

#include <gtest/gtest.h>

// lo <= value <= hi, with the value in the failure message.
inline ::testing::AssertionResult within(float value, float lo, float hi) {
    if (value >= lo && value <= hi) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << value << " is outside [" << lo << ", " << hi << "]";
}
