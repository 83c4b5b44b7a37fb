// Round setup: the GL state it leaves, its draws in order, fresh rounds within a second, its invariants.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <sstream>

#include "glwindow.h"

TEST(round, leavesthescenesglstate)
{
    std::srand(77);
    const int blue = std::rand() % 100, green = std::rand() % 100, red = std::rand() % 100;
    std::srand(77);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    capturedinit();
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_AUTO_NORMAL, GL_NORMALIZE, GL_DEPTH_TEST, GL_BLEND})
        EXPECT_TRUE(glIsEnabled(cap)) << cap;
    GLint value;
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CW);
    glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &value);
    EXPECT_EQ(value, 0);
    GLfloat v[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, v);
    EXPECT_TRUE(v[0] == 0 && v[1] == 5 && v[2] == 20 && v[3] == 0);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, v);
    EXPECT_FLOAT_EQ(v[0], red / 100.0f);
    EXPECT_FLOAT_EQ(v[1], green / 100.0f);
    EXPECT_FLOAT_EQ(v[2], blue / 100.0f);
    EXPECT_EQ(v[3], 1.0f);
}

static bool touchesanobstacle(const _object& c)
{
    for (int k = 0; k < numbackdrops; k++) {
        const double dx = c.movement.x - backdrop[k].movement.x;
        const double dy = c.movement.y - backdrop[k].movement.y;
        const int reach = c.width + backdrop[k].width;
        if (reach * reach > dx * dx + dy * dy)
            return true;
    }
    return false;
}

// A setup at the start of a fresh second reseeds from it; the others of that second do not.
static std::time_t setupinfreshsecond()
{
    for (;;) {
        const std::time_t start = std::time(nullptr);
        while (std::time(nullptr) == start)
            usleep(1000);
        const std::time_t second = std::time(nullptr);
        capturedinit();
        if (std::time(nullptr) == second)
            return second;
    }
}

TEST(round, drawsinorderfromtheseed)
{
    character.movement.left = 1;
    const std::time_t seed = setupinfreshsecond();
    std::srand(static_cast<unsigned>(seed));
    auto draw = [](int n) { return std::rand() % n; };
    EXPECT_EQ(numbackdrops, draw(5) + 1);
    EXPECT_EQ(numgoals, draw(10) + 1);
    EXPECT_EQ(character.width, draw(24) + 12);
    EXPECT_EQ(character.movement.type, draw(3));
    EXPECT_EQ(character.movement.angle, draw(360));
    const float x = draw(320), y = draw(240);
    EXPECT_EQ(character.textureindex, draw(19));
    for (int i = 0; i < numbackdrops; i++) {
        EXPECT_EQ(backdrop[i].movement.x, draw(320)) << "obstacle " << i;
        EXPECT_EQ(backdrop[i].movement.y, draw(240)) << "obstacle " << i;
        EXPECT_EQ(backdrop[i].width, draw(24) + 12) << "obstacle " << i;
        EXPECT_EQ(backdrop[i].textureindex, draw(19)) << "obstacle " << i;
    }
    draw(320), draw(240);
    EXPECT_EQ(goal[0].width, draw(24) + 12);
    EXPECT_EQ(goal[0].textureindex, draw(19));
    _object drawn = character;
    drawn.movement.x = x;
    drawn.movement.y = y;
    if (!touchesanobstacle(drawn)) {
        EXPECT_EQ(character.movement.x, x);
        EXPECT_EQ(character.movement.y, y);
    }
    EXPECT_EQ(character.movement.left, 1) << "a held arrow outlasts the round";
    character.movement.left = 0;
}

static std::string layoutof()
{
    std::ostringstream s;
    s << numbackdrops << ' ' << numgoals << ' ' << character.width << ' ' << character.movement.x << ' '
      << character.movement.y << ' ' << character.movement.angle;
    for (int i = 0; i < numbackdrops; i++)
        s << ' ' << backdrop[i].movement.x << ',' << backdrop[i].movement.y;
    return s.str();
}

TEST(round, setupswithinonesecondlayoutdifferentrounds)
{
    setupinfreshsecond();
    const std::string first = layoutof();
    capturedinit();
    EXPECT_NE(layoutof(), first);
    // No runaway score: a round whose character starts on its last goal is not laid out again.
    const int before = score.points;
    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 2000; frame++)
        update();
    testing::internal::GetCapturedStdout();
    EXPECT_LT(score.points - before, 200);
    score.points = 0;
}

TEST(round, everyroundkeepsitspromises)
{
    for (int round = 0; round < 300; round++) {
        std::istringstream said(capturedinit());
        int collected = 0;
        for (std::string line; std::getline(said, line); collected++)
            ASSERT_EQ(line, "collected");
        ASSERT_TRUE(numbackdrops >= 1 && numbackdrops <= 5) << numbackdrops;
        ASSERT_TRUE(numgoals >= 1 && numgoals <= 10) << numgoals;
        ASSERT_EQ(timer, maxtime);
        ASSERT_FALSE(touchesanobstacle(character)) << "round " << round;
        ASSERT_EQ(goal[numgoals - 1].goalstate, 1) << "the last goal always waits";
        int waiting = 0;
        for (int i = 0; i < numgoals; i++) {
            const _object& g = goal[i];
            ASSERT_TRUE(g.goalstate == 1 || g.goalstate == 2);
            ASSERT_TRUE(g.width == g.height && g.width >= 12 && g.width <= 35);
            ASSERT_TRUE(g.solid == 0 && g.green == 1.0 && g.textureindex < 19);
            waiting += g.goalstate == 1;
        }
        ASSERT_EQ(collected, numgoals - waiting) << "one line for each goal taken out";
        for (int i = 0; i < numbackdrops; i++) {
            const _object& o = backdrop[i];
            ASSERT_TRUE(o.goalstate == 0 && o.solid == 1 && o.red == 1.0 && o.width == o.height);
        }
        ASSERT_TRUE(character.movement.x >= 0 && character.movement.x < 320);
        ASSERT_TRUE(character.movement.y >= 0 && character.movement.y < 240);
    }
}
