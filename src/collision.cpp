// collision.cpp -- contact between two objects, with pickup and push-back.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <iostream>

#include "hollowmint.h"

// Circles of radius width touch when the sum of radii, squared, exceeds the squared distance.
static bool touching(const _object& mover, const _object& other)
{
    const double dx = static_cast<double>(mover.movement.x) - other.movement.x;
    const double dy = static_cast<double>(mover.movement.y) - other.movement.y;
    const long long reach = static_cast<long long>(mover.width) + other.width;
    return static_cast<double>(reach * reach) > dx * dx + dy * dy;
}

// Undoes the mover's whole last move, so it never slides along what it hit.
static void pushback(_movement& mover, const _movement& other)
{
    mover.x = mover.oldx;
    mover.y = mover.oldy;
    mover.jumpstate = mover.y > other.y ? 0 : 2;
}

int arecollidingbb(_object* mover, _object* other)
{
    if (!touching(*mover, *other))
        return 0;
    int result = 1;
    if (other->goalstate == 1) {
        other->goalstate = 2;
        std::cout << "collected" << std::endl;
        result = 2;
    }
    if (other->solid > 0)
        pushback(mover->movement, other->movement);
    return result;
}
