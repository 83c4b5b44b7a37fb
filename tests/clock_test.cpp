// The frame clock: whole milliseconds of real time, zero within one millisecond.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "hollowmint.h"

static bool wholemilliseconds(double seconds)
{
    return std::fabs(seconds * 1000 - std::round(seconds * 1000)) < 1e-6;
}

TEST(clock, stepsarewholemillisecondsandzerowithinone)
{
    updatetime();
    int zeros = 0;
    for (int i = 0; i < 1000; i++) {
        const double step = updatetime();
        ASSERT_TRUE(wholemilliseconds(step)) << step;
        ASSERT_GE(step, 0.0);
        zeros += step == 0.0;
    }
    EXPECT_GT(zeros, 0);
}

TEST(clock, asleepcomesbackasonestep)
{
    updatetime();
    const double before = lasttime;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const double step = updatetime();
    EXPECT_GE(step, 0.030);
    EXPECT_LT(step, 0.5);
    EXPECT_TRUE(wholemilliseconds(step)) << step;
    EXPECT_DOUBLE_EQ(lasttime, before + step);
}
