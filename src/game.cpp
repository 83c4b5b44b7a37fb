// game.cpp -- moving an object by its movement mode, and the score counter.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/gl.h>
#include <cmath>
#include <limits>

#include "hollowmint.h"

// These headings are the decimal literals as they stand, a little short of the library's pi.
const double headingup = 1.570796325;
const double headingright = 0.0;
const double headingdown = -1.570796325;
const double headingleft = 3.14159265;

const double accelerationscale = 1000.0; // speed gained per second of holding, per unit of factor
const double turnrate = 5.0;             // radians per second

const int scoredigits = 9;

// A huge frame step must not make the double-to-int conversion undefined: saturate instead.
static int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()) + 1.0)
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()) - 1.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// The cap is tested before the addition, so one frame may overshoot it.
static void accelerate(_movement& m, double dt, double factor)
{
    if (m.speed < m.maxspeed)
        m.speed = m.speed + (dt * factor) * accelerationscale;
    else
        m.speed = m.maxspeed;
}

// Head one way, speed up, and move along one axis by the new speed.
static void step(_movement& m, double dt, double heading, double factor, float& along, int sign)
{
    m.angle = heading;
    accelerate(m, dt, factor);
    along = along + sign * dt * m.speed;
}

static void movefourway(_movement& m, double dt)
{
    if (m.up)
        step(m, dt, headingup, m.yaccel, m.y, +1);
    if (m.right)
        step(m, dt, headingright, m.xaccel, m.x, +1);
    if (m.down)
        step(m, dt, headingdown, m.yaccel, m.y, -1);
    if (m.left)
        step(m, dt, headingleft, m.xaccel, m.x, -1);
}

static void moveturndrive(_movement& m, double dt)
{
    if (m.up) {
        accelerate(m, dt, m.yaccel);
        m.y = m.y + std::sin(m.angle) * (dt * m.speed);
        m.x = m.x + std::cos(m.angle) * (dt * m.speed);
    }
    if (m.right)
        m.angle = m.angle - turnrate * dt;
    if (m.down) {
        accelerate(m, dt, m.yaccel);
        m.y = m.y - std::sin(m.angle) * (dt * m.speed);
        m.x = m.x - std::cos(m.angle) * (dt * m.speed);
    }
    if (m.left)
        m.angle = m.angle + turnrate * dt;
}

// The jump counter only counts the climb; rising climbs at gravity (twice up, once down).
static void moveplatform(_movement& m, double dt)
{
    m.y = m.y - dt * m.gravity;
    if (m.up && m.jumpstate == 0)
        m.jumpstate = 1;
    if (m.right)
        step(m, dt, headingright, m.xaccel, m.x, +1);
    if (m.left)
        step(m, dt, headingleft, m.xaccel, m.x, -1);
    if (m.jumpstate == 1) {
        m.jumpprogress = truncated(m.jumpprogress + dt * m.gravity);
        m.y = m.y + ((dt * m.gravity) + (dt * m.gravity));
    }
    if (m.jumpprogress >= m.jumpheight)
        m.jumpstate = 2;
    if (m.jumpstate == 2)
        m.jumpprogress = truncated(m.jumpprogress - dt * m.gravity);
    if (m.jumpprogress <= 0)
        m.jumpstate = 0;
}

// Holds the centre, not the edges; a NaN fails the test for at least 0 and becomes 0.
static void clamptofield(_movement& m)
{
    if (m.y > fieldheight)
        m.y = fieldheight;
    if (!(m.y >= 0))
        m.y = 0;
    if (m.x > fieldwidth)
        m.x = fieldwidth;
    if (!(m.x >= 0))
        m.x = 0;
}

void _movement::move(float step)
{
    const double dt = step;
    oldx = x;
    oldy = y;
    switch (type) {
    case 0: // four-way
        movefourway(*this, dt);
        break;
    case 1: // turn and drive
        moveturndrive(*this, dt);
        break;
    case 2: // platform
        moveplatform(*this, dt);
        break;
    }
    clamptofield(*this);
}

// Each digit is placed from the same origin: every translation is undone right after.
void _score::print()
{
    int n = points;
    for (int i = 0; i < scoredigits; i++) {
        const int digit = n % 10;
        glTranslatef(scoredigits - 1 - i, 0, 0);
        text.print(digit);
        glTranslatef(i - (scoredigits - 1), 0, 0);
        n = n / 10;
    }
}
