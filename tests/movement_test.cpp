// Moving by mode: acceleration and its overshoot, turning, the platform jump and the clamp.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "hollowmint.h"

// The character as round setup leaves it, standing mid-field.
static _movement mover(int type)
{
    _movement m{};
    m.x = 160;
    m.y = 50;
    m.type = type;
    m.maxspeed = 300.0;
    m.xaccel = m.yaccel = 2.0;
    m.jumpheight = 100;
    m.gravity = 200.0;
    return m;
}

// A frame step as the game holds it: a float. (A float literal in an expression may keep more
// precision, as on x87, where 0.01f stays 0.01.)
const float framestep = 0.01f;

TEST(movement, accelerationovershootsthecaponceandthenholdsit)
{
    _movement m = mover(0);
    m.speed = 299.0;
    m.right = 1;
    m.move(framestep);
    const double overshoot = 299.0 + (double(framestep) * 2.0) * 1000;
    EXPECT_DOUBLE_EQ(m.speed, overshoot);
    EXPECT_FLOAT_EQ(m.x, float(160 + double(framestep) * overshoot));
    for (int frame = 0; frame < 2; frame++) {
        m.move(framestep);
        EXPECT_EQ(m.speed, 300.0);
    }
}

TEST(movement, twokeysacceleratetwiceandthelastheadingwins)
{
    _movement m = mover(0);
    m.up = m.left = 1;
    m.move(framestep);
    const double first = double(framestep) * 2.0 * 1000;
    EXPECT_DOUBLE_EQ(m.speed, 2 * first);
    EXPECT_FLOAT_EQ(m.y, float(50 + double(framestep) * first));
    EXPECT_FLOAT_EQ(m.x, float(160 - double(framestep) * 2 * first));
    EXPECT_EQ(m.angle, 3.14159265);
    EXPECT_EQ(m.oldx, 160);
    EXPECT_EQ(m.oldy, 50);
}

TEST(movement, turningonthespotanddrivingalongtheheading)
{
    _movement m = mover(1);
    m.right = 1;
    for (int frame = 0; frame < 100; frame++)
        m.move(0.01f);
    EXPECT_NEAR(m.angle, -5.0, 1e-5);
    EXPECT_EQ(m.x, 160);
    EXPECT_EQ(m.y, 50);

    m = mover(1);
    m.angle = 1.570796325;
    m.up = 1;
    m.move(0.01f);
    EXPECT_NEAR(m.y, 50 + 0.2, 1e-4);
    EXPECT_NEAR(m.x, 160, 1e-4);
    m.up = 0;
    m.down = 1;
    m.move(0.01f);
    EXPECT_NEAR(m.y, 50 + 0.2 - 0.4, 1e-4);
}

TEST(movement, platformjumpatasteadyframerate)
{
    // The counter climbs 3 a frame, turns at 102 in frame 34, falls 4 a frame and lands at -1.
    struct { int frame, counter, state; } checkpoints[] = {
        {1, 3, 1}, {33, 99, 1}, {34, 98, 2}, {35, 94, 2}, {58, 2, 2}, {59, -1, 0}, {60, 2, 1},
    };
    _movement m = mover(2);
    m.up = 1;
    int frame = 0;
    for (const auto& c : checkpoints) {
        while (frame < c.frame) {
            m.move(0.016f);
            frame++;
        }
        EXPECT_EQ(m.jumpprogress, c.counter) << "frame " << frame;
        EXPECT_EQ(m.jumpstate, c.state) << "frame " << frame;
        if (frame == 34) {
            EXPECT_NEAR(m.y, 50 + 108.8, 1e-3);
        }
    }
}

TEST(movement, framesunderfivemillisecondsclimbwithoutlimit)
{
    _movement m = mover(2);
    m.up = 1;
    for (int frame = 0; frame < 500; frame++) {
        m.move(0.004f);
        ASSERT_EQ(m.jumpprogress, 0);
        ASSERT_EQ(m.jumpstate, 0);
    }
    EXPECT_EQ(m.y, 240);
}

TEST(movement, ahugestepsaturatesthejumpcounter)
{
    _movement m = mover(2);
    m.jumpstate = 1;
    m.move(1e30f);
    EXPECT_EQ(m.jumpprogress, INT_MIN);
    EXPECT_EQ(m.jumpstate, 0);
    EXPECT_EQ(m.y, 240);
}

TEST(movement, clampholdsthecentreonthefield)
{
    struct { float x, y; int type; float wantx, wanty; } cases[] = {
        {320.5f, 100, 0, 320, 100},
        {-0.1f, 100, 0, 0, 100},
        {100, 240, 0, 100, 240},
        {100, 240.5f, 1, 100, 240},
        {NAN, NAN, 0, 0, 0},
        {100, 0, 2, 100, 0},
    };
    for (const auto& c : cases) {
        _movement m = mover(c.type);
        m.x = c.x;
        m.y = c.y;
        m.move(0.01f);
        EXPECT_EQ(m.x, c.wantx) << "from " << c.x << ", " << c.y;
        EXPECT_EQ(m.y, c.wanty) << "from " << c.x << ", " << c.y;
    }
}
