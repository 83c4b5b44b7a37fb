// glwindow.h -- what the drawing tests share: the game's window on a private X server, and pixel probes.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "objects.h"

struct rgb {
    int r, g, b;
};

// Readings of the frame last drawn: Mesa's software renderer keeps the back buffer through a swap.
rgb pixel(int x, int y);     // from the window's bottom-left
float depthat(int x, int y); // window depth, 0 near to 1 far
std::string region(int x, int y, int w, int h); // raw RGB of a rectangle, for comparing pictures
// The same picture but for a rasterizer's rounding: no channel differs by more than one level.
bool alike(const std::string& a, const std::string& b);
bool alike(rgb a, rgb b);
void showframe();            // display(), finished
void settle();               // let GLUT handle what the X server has sent
std::string capturedinit();  // init(), returning what it printed
int largesttexture();        // the GL's largest texture side
bool anytexturesides();      // whether the GL takes texture sides that are no power of two
// Live names that `is` (glIsTexture, glIsList) knows, from 1 to margin past the highest a strip holds:
// drivers hand names out in orders of their own, so a leaked name may lie above every held one.
int livenames(GLboolean (*is)(GLuint), int margin);

void layout(const std::vector<_object>& goals, const std::vector<_object>& obstacles); // replaces the round's arrays
