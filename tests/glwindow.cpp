// glwindow.cpp -- the drawing tests' main: an Xvfb of their own, the game's window and its first round.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include "glwindow.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Xvfb picks a free display itself and writes its number to the pipe.
static pid_t startxserver()
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // however the tests end, even a death test's child
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The number and its line end may come in two writes; closing early would kill the server.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        return -1;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return pid;
}

float depthat(int x, int y)
{
    float d;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return d;
}

std::string region(int x, int y, int w, int h)
{
    std::string bytes(static_cast<size_t>(w) * h * 3, '\0');
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, &bytes[0]);
    return bytes;
}

const int roundinglevels = 1;

bool alike(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::abs(static_cast<unsigned char>(p) - static_cast<unsigned char>(q)) <= roundinglevels;
           });
}

bool alike(rgb a, rgb b)
{
    return std::abs(a.r - b.r) <= roundinglevels && std::abs(a.g - b.g) <= roundinglevels &&
           std::abs(a.b - b.b) <= roundinglevels;
}

rgb pixel(int x, int y)
{
    const std::string p = region(x, y, 1, 1);
    return {static_cast<unsigned char>(p[0]), static_cast<unsigned char>(p[1]), static_cast<unsigned char>(p[2])};
}

// The X server answers a resize or a map in its own time.
void settle()
{
    for (int i = 0; i < 10; i++) {
        glutMainLoopEvent();
        usleep(3000);
    }
    glFinish();
}

void showframe()
{
    display();
    glFinish();
}

static _object* copied(const std::vector<_object>& objects)
{
    _object* array = new _object[objects.size()];
    std::copy(objects.begin(), objects.end(), array);
    return array;
}

void layout(const std::vector<_object>& goals, const std::vector<_object>& obstacles)
{
    delete[] goal;
    delete[] backdrop;
    goal = copied(goals);
    backdrop = copied(obstacles);
    numgoals = static_cast<int>(goals.size());
    numbackdrops = static_cast<int>(obstacles.size());
}

int livenames(GLboolean (*is)(GLuint), int margin)
{
    const GLuint held = std::max({*std::max_element(texture.textures, texture.textures + striptiles),
                                  *std::max_element(texture.lists, texture.lists + striptiles),
                                  *std::max_element(score.text.textures, score.text.textures + digittiles),
                                  *std::max_element(score.text.lists, score.text.lists + digittiles)});
    int n = 0;
    for (GLuint name = 1; name <= held + margin; name++)
        n += is(name) == GL_TRUE;
    return n;
}

std::string capturedinit()
{
    testing::internal::CaptureStdout();
    init();
    return testing::internal::GetCapturedStdout();
}

int largesttexture()
{
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

bool anytexturesides()
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    const char* asan = std::getenv("ASAN_OPTIONS");
    if (asan != nullptr && std::strstr(asan, "detect_leaks=0") != nullptr)
        std::printf("leak detection off: Mesa's software driver leaves ~300 KB in a nameless module\n");
    const pid_t server = startxserver();
    if (server < 0) {
        std::fprintf(stderr, "drawing_test: could not start Xvfb\n");
        return 1;
    }
    testing::internal::CaptureStdout(); // the hundred progress lines, tested on their own
    startup(&argc, argv);
    testing::internal::GetCapturedStdout();
    glutIdleFunc(nullptr); // the tests run the frames themselves
    settle();
    // make test GL=... names the driver it asked Mesa for, which would fall back to another without a word.
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("renderer: %s\n", renderer.c_str());
    std::printf("limits: textures up to %d texels a side, %s\n", largesttexture(),
                anytexturesides() ? "of any length" : "each a power of two");
    const char* asked = std::getenv("HOLLOWMINT_RENDERER");
    if (asked != nullptr && renderer.find(asked) == std::string::npos) {
        std::fprintf(stderr, "drawing_test: asked for %s, but GL draws with %s\n", asked, renderer.c_str());
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    closedisplay();
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return result;
}
