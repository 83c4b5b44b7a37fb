// Contact between two objects: the circle test, pickup with its line, push-back and landing.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "objects.h"

TEST(collision, touchingiscirclesnotsquares)
{
    struct { float x, y; int want; } cases[] = {
        {40, 0, 0},    // radii sum squared equals the distance squared
        {39.9f, 0, 1},
        {30, 30, 0},   // the squares overlap at their corners
        {0, 0, 1},
    };
    for (const auto& c : cases) {
        _object mover = thing(0, 0, 20), other = thing(c.x, c.y, 20);
        EXPECT_EQ(arecollidingbb(&mover, &other), c.want) << c.x << ", " << c.y;
    }
}

TEST(collision, agoaliscollectedonceandsaysso)
{
    _object mover = thing(0, 0, 20), g = thing(10, 0, 20, 0, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(arecollidingbb(&mover, &g), 2);
    EXPECT_EQ(g.goalstate, 2);
    EXPECT_EQ(arecollidingbb(&mover, &g), 1);
    EXPECT_EQ(g.goalstate, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "collected\n");
    EXPECT_EQ(mover.movement.x, 0);
}

TEST(collision, solidobjectsputthemoverbackandsetitsjumpstate)
{
    struct { float oldy; int solid; float wantx; int wantjump; } cases[] = {
        {100, 1, 5, 2},      // from the side, level with the centre: falling
        {100.5f, 1, 5, 0},   // above the centre: landed
        {99, 1, 5, 2},       // from below
        {100, 0, 30, 1},     // passable
        {100, -1, 30, 1},
    };
    for (const auto& c : cases) {
        _object mover = thing(30, 100, 12), wall = thing(50, 100, 12, 0, 0, c.solid);
        mover.movement.oldx = 5;
        mover.movement.oldy = c.oldy;
        mover.movement.jumpstate = 1;
        EXPECT_EQ(arecollidingbb(&mover, &wall), 1);
        EXPECT_EQ(mover.movement.x, c.wantx) << "solid " << c.solid;
        EXPECT_EQ(mover.movement.jumpstate, c.wantjump) << "old y " << c.oldy;
    }
}

TEST(collision, thesecondobstacleseestherestoredposition)
{
    _object mover = thing(30, 100, 12);
    mover.movement.oldx = 30;
    mover.movement.oldy = 60;
    _object first = thing(30, 110, 12, 0, 0, 1), second = thing(30, 70, 12, 0, 0, 1);
    EXPECT_EQ(arecollidingbb(&mover, &first), 1);
    EXPECT_EQ(mover.movement.y, 60);
    EXPECT_EQ(mover.movement.jumpstate, 2);
    EXPECT_EQ(arecollidingbb(&mover, &second), 1);
    EXPECT_EQ(mover.movement.jumpstate, 2); // 60 is below 70
}

TEST(collision, asolidgoaliscollectedandblocks)
{
    _object mover = thing(30, 100, 12), both = thing(40, 100, 12, 0, 1, 1);
    mover.movement.oldx = 0;
    testing::internal::CaptureStdout();
    EXPECT_EQ(arecollidingbb(&mover, &both), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "collected\n");
    EXPECT_EQ(mover.movement.x, 0);
}
