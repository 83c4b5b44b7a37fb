// One frame: the order of move, obstacles, goals, completion and countdown.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "glwindow.h"

// The next update's step will be about this many seconds.
static void nextstep(double seconds)
{
    updatetime();
    lasttime -= seconds;
}

// A four-way character at (100, 100), already at full speed.
static void characterat(float x, float y)
{
    _movement& m = character.movement;
    m = _movement{};
    m.x = x;
    m.y = y;
    m.maxspeed = m.speed = 300.0;
    m.xaccel = m.yaccel = 2.0;
    character.width = character.height = 12;
}

static std::string frame(double seconds)
{
    testing::internal::CaptureStdout();
    nextstep(seconds);
    update();
    return testing::internal::GetCapturedStdout();
}

TEST(frame, anobstacleputsthecharacterbackbeforegoalsaretested)
{
    layout({thing(127, 100, 12, 0, 1), thing(300, 200, 12, 0, 1)}, {thing(135, 100, 12, 1, 0, 1)});
    characterat(100, 100);
    character.movement.right = 1;
    timer = maxtime;
    EXPECT_EQ(frame(0.05), "");
    EXPECT_EQ(character.movement.x, 100);
    EXPECT_EQ(goal[0].goalstate, 1);
    EXPECT_NEAR(timer, maxtime - 0.05, 0.002);
}

TEST(frame, thelastgoalstouchedtogethercompleteonce)
{
    layout({thing(300, 200, 12, 0, 2), thing(100, 100, 12, 0, 1), thing(105, 100, 12, 0, 1)},
           {thing(20, 20, 12, 1, 0, 1)});
    characterat(100, 100);
    score.points = 4;
    const std::string said = frame(0.01);
    EXPECT_EQ(said.substr(0, 30), "collected\ncollected\ncompleted\n");
    EXPECT_EQ(score.points, 5);
    EXPECT_NEAR(timer, maxtime - 0.01, 0.002) << "the frame's step counts against the new round";
    score.points = 0;
}

TEST(frame, atensecondframecompletesoneroundandtimesoutthenext)
{
    layout({thing(100, 100, 12, 0, 1)}, {thing(20, 20, 12, 1, 0, 1)});
    characterat(100, 100);
    const std::string said = frame(10.5);
    EXPECT_EQ(said.substr(0, 20), "collected\ncompleted\n");
    EXPECT_EQ(said.find("completed", 15), std::string::npos);
    EXPECT_EQ(score.points, 1);
    EXPECT_EQ(timer, maxtime);
    score.points = 0;
}

TEST(frame, atimeoutgivesnopointandsaysnothingofitsown)
{
    layout({thing(300, 200, 12, 0, 1)}, {thing(20, 20, 12, 1, 0, 1)});
    characterat(100, 100);
    timer = 0.005;
    const std::string said = frame(0.01);
    EXPECT_EQ(said.find("completed"), std::string::npos);
    EXPECT_EQ(score.points, 0);
    EXPECT_EQ(timer, maxtime);
}

TEST(frame, insertlaysoutanewroundatonce)
{
    layout({thing(300, 200, 12, 99, 2)}, {thing(20, 20, 12, 99, 0, 1)}); // tile 99 no round lays
    timer = 3.0;
    score.points = 3;
    testing::internal::CaptureStdout();
    skeydown(GLUT_KEY_INSERT, 0, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_LT(goal[0].textureindex, 19);
    EXPECT_LT(backdrop[0].textureindex, 19);
    EXPECT_EQ(goal[numgoals - 1].goalstate, 1);
    EXPECT_EQ(timer, maxtime);
    EXPECT_EQ(score.points, 3);
    score.points = 0;
}

// A GL driver made after the window may tear itself down among exit's handlers, and closing the
// display calls into it: by then Esc must have closed the display.
static void driverteardown()
{
    if (glutGet(GLUT_INIT_STATE))
        _exit(3);
}

TEST(framedeathtest, escapeclosesthedisplaybeforelaterexithandlersrun)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a child of its own window: a fork would share ours
    EXPECT_EXIT((std::atexit(driverteardown), keyboard(27, 0, 0)), testing::ExitedWithCode(0), "");
}
