// The strip loader's fuzz target: each input goes the game's way, as a GIF strip and as a PNG strip,
// through the guard, DevIL's decoding and the upload into the window's GL context.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "hollowmint.h"

// DevIL picks its decoder by the ending of the name, as it does for the game's two strips.
static void loadas(const std::uint8_t* data, std::size_t size, const char* ending)
{
    std::string name = std::string("/tmp/hollowmint-fuzz-XXXXXX") + ending;
    const int fd = mkstemps(&name[0], 4);
    if (fd < 0)
        return;
    const bool whole = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    static GLuint textures[1], lists[1];
    if (whole)
        loadstrip(name.c_str(), 1, textures, lists, false);
    std::remove(name.c_str());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    loadas(data, size, ".gif");
    loadas(data, size, ".png");
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    int argc = 1;
    char name[] = "hollowmint-fuzz";
    char* argv[] = {name, nullptr};
    openwindow(&argc, argv);
    return 0;
}
