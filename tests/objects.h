// objects.h -- a game object at a place, as the tests lay them out.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#pragma once

#include "hollowmint.h"

inline _object thing(float x, float y, int width, int tile = 0, int goalstate = 0, int solid = 0)
{
    _object o{};
    o.movement.x = x;
    o.movement.y = y;
    o.width = o.height = width;
    o.textureindex = tile;
    o.goalstate = goalstate;
    o.solid = solid;
    return o;
}
