// The scene: depth order, each object's own tile, the turned character, the bar and the counter.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "glwindow.h"

// One unit of depth, as the window's depth buffer holds it.
const float depthunit = 1.0f / 2000;

static float depthof(int d)
{
    return 1.0f - d * depthunit;
}

static bool white(rgb p)
{
    return p.r > 230 && p.g > 230 && p.b > 230;
}

// The character far from everything else, tile 3, heading 0.
static void placecharacter(float x, float y, double angle = 0)
{
    character.movement.x = x;
    character.movement.y = y;
    character.movement.angle = angle;
    character.width = character.height = 30;
    character.textureindex = 3;
}

TEST(scene, objectsareatdepthsinorderandcollectedgoalsareskipped)
{
    layout({thing(40, 60, 15, 0, 1), thing(100, 60, 15, 1, 2), thing(160, 60, 15, 2, 1)},
           {thing(40, 160, 15, 4, 0, 1), thing(100, 160, 15, 5, 0, 1)});
    placecharacter(250, 150);
    showframe();
    EXPECT_FLOAT_EQ(depthat(40, 60), depthof(1)) << "first waiting goal";
    EXPECT_FLOAT_EQ(depthat(100, 60), 1.0f) << "collected goal";
    EXPECT_FLOAT_EQ(depthat(160, 60), depthof(2)) << "second waiting goal";
    EXPECT_FLOAT_EQ(depthat(40, 160), depthof(3)) << "first obstacle";
    EXPECT_FLOAT_EQ(depthat(100, 160), depthof(4)) << "second obstacle";
    EXPECT_FLOAT_EQ(depthat(250, 150), depthof(5)) << "character";
    EXPECT_FLOAT_EQ(depthat(5, 12), depthof(999)) << "countdown bar";
    EXPECT_FLOAT_EQ(depthat(10, 228), depthof(999)) << "counter";
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const rgb background = pixel(100, 60);
    EXPECT_NEAR(background.r, clear[0] * 255, 1);
    EXPECT_NEAR(background.b, clear[2] * 255, 1);
}

TEST(scene, eachobjectshowsitsowntileandlateronescover)
{
    layout({thing(40, 60, 15, 7, 1), thing(100, 60, 15, 8, 1), thing(160, 60, 15, 9, 1)},
           {thing(40, 160, 15, 7, 0, 1), thing(240, 60, 15, 8, 0, 1), thing(240, 60, 30, 9, 0, 1)});
    placecharacter(250, 160);
    showframe();
    EXPECT_TRUE(alike(pixel(40, 60), pixel(40, 160))) << "same tile";
    EXPECT_FALSE(alike(pixel(40, 60), pixel(100, 60))) << "tiles 7 and 8";
    EXPECT_FALSE(alike(pixel(100, 60), pixel(160, 60))) << "tiles 8 and 9";
    EXPECT_TRUE(alike(pixel(240, 60), pixel(160, 60))) << "the later obstacle covers the earlier";
}

TEST(scene, thecharacteristurnedbyitsheading)
{
    layout({thing(300, 220, 12, 0, 1)}, {thing(20, 200, 12, 1, 0, 1)});
    // The eye sits in the tile's upper right, looking along the heading.
    placecharacter(160, 120, 0);
    showframe();
    EXPECT_TRUE(white(pixel(171, 131))) << "upright: eye upper right";
    EXPECT_FALSE(white(pixel(171, 109))) << "upright: nothing lower right";
    placecharacter(160, 120, 1.570796325);
    showframe();
    EXPECT_TRUE(white(pixel(149, 131))) << "quarter turn: eye upper left";
    EXPECT_FALSE(white(pixel(171, 131))) << "quarter turn: upper right is body";
}

TEST(scene, thecountdownbarshrinkstowardsitsleftedge)
{
    layout({thing(300, 200, 12, 0, 1)}, {thing(20, 200, 12, 1, 0, 1)});
    placecharacter(160, 120);
    struct { double share; int lastwhite, firstclear; } cases[] = {
        {1.0, 313, 315}, {0.5, 157, 159}, {0.001, 3, 5},
    };
    for (const auto& c : cases) {
        timer = maxtime * c.share;
        showframe();
        EXPECT_TRUE(white(pixel(c.lastwhite, 12))) << c.share;
        EXPECT_FALSE(white(pixel(c.firstclear, 12))) << c.share;
        EXPECT_FALSE(white(pixel(c.lastwhite, 17))) << c.share;
        EXPECT_TRUE(white(pixel(c.lastwhite, 8))) << c.share;
    }
    timer = maxtime;
}

static std::string counter(int points)
{
    score.points = points;
    showframe();
    return region(2, 220, 144, 16);
}

static std::string cell(const std::string& row, int i) // one 16 x 16 digit of a counter's picture
{
    std::string c;
    for (int y = 0; y < 16; y++)
        c += row.substr((y * 144 + i * 16) * 3, 16 * 3);
    return c;
}

TEST(scene, thecounterhasninedigitswithleadingzeros)
{
    layout({thing(300, 120, 12, 0, 1)}, {thing(200, 120, 12, 1, 0, 1)});
    placecharacter(100, 120);
    const std::string zero = counter(0), seven = counter(7);
    for (int i = 0; i < 8; i++)
        EXPECT_TRUE(alike(cell(seven, i), cell(zero, 0))) << "cell " << i;
    EXPECT_FALSE(alike(cell(seven, 8), cell(zero, 8)));
    EXPECT_TRUE(alike(counter(1234567890), counter(234567890))) << "a tenth digit is not shown";
    score.points = 0;
}

TEST(scene, displayleavesthestateitpromises)
{
    layout({thing(300, 120, 12, 0, 1)}, {thing(200, 120, 12, 1, 0, 1)});
    placecharacter(100, 120);
    character.red = 0.25;
    showframe();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint mode, stack;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stack);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(stack, 1);
    GLfloat diffuse[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.25f);
    character.red = 0.0;
}

TEST(scene, alargerwindowshowsmorebackgroundwithnothingscaled)
{
    layout({thing(60, 60, 20, 0, 1)}, {thing(200, 120, 20, 1, 0, 1)});
    placecharacter(280, 200);
    showframe();
    const std::string before = region(0, 0, 320, 240);
    glutReshapeWindow(480, 360);
    settle();
    ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), 480);
    showframe(); // the first frame after a resize may still see the old buffers
    showframe();
    EXPECT_TRUE(alike(region(0, 0, 320, 240), before)) << "the field stays where it was";
    const rgb background = pixel(60, 300);
    EXPECT_TRUE(alike(pixel(400, 100), background));
    EXPECT_TRUE(alike(pixel(400, 300), background));
    glutReshapeWindow(fieldwidth, fieldheight);
    settle();
}
