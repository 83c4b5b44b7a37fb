// Keys: arrows hold flags, releasing any arrow stops, Esc quits, everything else is ignored.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "hollowmint.h"

TEST(keys, arrowssetandcleartheirownflags)
{
    struct { int key; int _movement::*flag; } arrows[] = {
        {GLUT_KEY_LEFT, &_movement::left}, {GLUT_KEY_UP, &_movement::up},
        {GLUT_KEY_RIGHT, &_movement::right}, {GLUT_KEY_DOWN, &_movement::down},
    };
    for (const auto& a : arrows) {
        character.movement = _movement{};
        skeydown(a.key, 7, 9);
        EXPECT_EQ(character.movement.*a.flag, 1) << a.key;
        EXPECT_EQ(character.movement.left + character.movement.up + character.movement.right +
                      character.movement.down, 1) << a.key;
        character.movement.speed = 120.0;
        skeyup(a.key, 7, 9);
        EXPECT_EQ(character.movement.*a.flag, 0) << a.key;
        EXPECT_EQ(character.movement.speed, 0.0) << a.key;
    }
}

TEST(keys, releasingonearrowstopsbutkeepstheother)
{
    character.movement = _movement{};
    skeydown(GLUT_KEY_UP, 0, 0);
    skeydown(GLUT_KEY_LEFT, 0, 0);
    character.movement.speed = 200.0;
    skeyup(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(character.movement.speed, 0.0);
    EXPECT_EQ(character.movement.up, 1);
}

TEST(keys, otherkeyschangenothing)
{
    character.movement = _movement{};
    character.movement.speed = 50.0;
    for (int key : {GLUT_KEY_F1, GLUT_KEY_HOME, GLUT_KEY_PAGE_UP}) {
        skeydown(key, 0, 0);
        skeyup(key, 0, 0);
    }
    for (unsigned char key : {'a', 'q', ' ', '\r'})
        keyboard(key, 0, 0);
    EXPECT_EQ(character.movement.speed, 50.0);
    EXPECT_EQ(character.movement.up + character.movement.left, 0);
}

TEST(keysdeathtest, escapeendstheprogramwithstatuszero)
{
    EXPECT_EXIT(keyboard(27, 0, 0), testing::ExitedWithCode(0), "");
}
