// Ten thousand rounds in one process: the GL names of earlier rounds are gone and memory holds steady.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "glwindow.h"

static long residentkib()
{
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f != nullptr) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST(soak, tenthousandroundsholdnomore)
{
    capturedinit();
    const std::set<GLuint> firsttextures(score.text.textures, score.text.textures + digittiles);
    const std::set<GLuint> firstlists(score.text.lists, score.text.lists + digittiles);
    const int rounds = 10000;
    long after1000 = 0;
    testing::internal::CaptureStdout();
    for (int round = 1; round <= rounds; round++) {
        init();
        if (round == 1000)
            after1000 = residentkib();
    }
    testing::internal::GetCapturedStdout();
    const std::set<GLuint> textures(score.text.textures, score.text.textures + digittiles);
    const std::set<GLuint> lists(score.text.lists, score.text.lists + digittiles);
    // Names may be handed out again, so an old name may only be alive as one of the newest.
    for (GLuint name : firsttextures)
        EXPECT_TRUE(!glIsTexture(name) || textures.count(name)) << "texture " << name;
    for (GLuint name : firstlists)
        EXPECT_TRUE(!glIsList(name) || lists.count(name)) << "list " << name;
    // With a margin of one name a round, a leak of one a round shows however the driver numbers names.
    EXPECT_EQ(livenames(glIsTexture, rounds), striptiles + digittiles);
    EXPECT_EQ(livenames(glIsList, rounds), striptiles + digittiles);
    EXPECT_LT(residentkib() - after1000, 4 * 1024) << "KiB resident after round 1000: " << after1000;
}
