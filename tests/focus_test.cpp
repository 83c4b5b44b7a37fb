// Keyboard focus: an arrow let go in another window stops the character as one let go in the game's
// window does, with real key events from another client of the game's X server.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <unistd.h>

#include "glwindow.h"

// Xlib's macros (None, Bool, Status) would stand in for names in GoogleTest's headers.
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

void key(Display* other, KeySym symbol, bool down)
{
    XTestFakeKeyEvent(other, XKeysymToKeycode(other, symbol), down, CurrentTime);
    XSync(other, False);
}

void focus(Display* other, Window window)
{
    XSetInputFocus(other, window, RevertToParent, CurrentTime);
    XSync(other, False);
}

// Frames as the idle loop runs them, with GLUT handling what the X server sends between them.
void play(int frames)
{
    for (int i = 0; i < frames; i++) {
        glutMainLoopEvent();
        update();
        usleep(1000);
    }
}

}

TEST(focus, anarrowletgoinanotherwindowstopsthecharacter)
{
    const float startx = 160, starty = 40;
    _object fargoal{};
    fargoal.goalstate = 1;
    fargoal.width = fargoal.height = 4;
    fargoal.movement.x = 310;
    fargoal.movement.y = 230;
    layout({fargoal}, {});
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    const Window game = glXGetCurrentDrawable();
    const Window second = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(other, second);
    struct { const char* where; Window window; } cases[] = {{"in the game's window", game}, {"in another window", second}};
    _movement& m = character.movement;
    for (const auto& c : cases) {
        m = _movement{};
        m.x = startx;
        m.y = starty;
        m.maxspeed = 300;
        m.yaccel = 2;
        timer = maxtime;
        focus(other, game);
        key(other, XK_Up, true);
        play(30);
        EXPECT_GT(m.y, starty) << c.where << ": held in the game's window, Up moves it";
        focus(other, c.window);
        play(10);
        EXPECT_EQ(m.up, 1) << c.where << ": still held while another window has the keyboard";
        key(other, XK_Up, false);
        play(10);
        EXPECT_EQ(m.up, 0) << c.where;
        EXPECT_EQ(m.speed, 0.0) << c.where;
        const float stopped = m.y;
        play(30);
        EXPECT_EQ(m.y, stopped) << c.where << ": it stays put";
    }
    XDestroyWindow(other, second);
    XCloseDisplay(other);
    capturedinit();
}
