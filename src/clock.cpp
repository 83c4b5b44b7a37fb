// clock.cpp -- the frame clock: whole milliseconds of real time since the program started.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <chrono>
#include <cstdint>

#include "hollowmint.h"

// Monotonic, so a wall-clock jump cannot speed the game up; 64-bit, so it never wraps.
static const std::chrono::steady_clock::time_point programstart = std::chrono::steady_clock::now();

static std::int64_t elapsedmilliseconds()
{
    const auto elapsed = std::chrono::steady_clock::now() - programstart;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

// Counted from the same start as the clock, so the first frame's step covers start-up.
double lasttime = 0.0;

double updatetime()
{
    const double seconds = static_cast<double>(elapsedmilliseconds()) / 1000.0;
    const double step = seconds - lasttime;
    lasttime = seconds;
    return step;
}
