// bench.cpp -- measures the game where it runs: frame rate, start-up against its floor,
// round setup and memory. Run from assets/ on an X server; `make bench` does both.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/freeglut.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "hollowmint.h"

// Xlib's macros would stand in for names above.
#include <GL/glx.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using benchclock = std::chrono::steady_clock;

const int runs = 7;               // each figure is the median of this many
const int startupruns = 15;      // start-up varies more from run to run
const double frameseconds = 1.0; // length of one frame-rate run
const int setupsperrun = 200;
const int reportfd = 3;          // where a child says it has shown its first frame
const int warmupframes = 50;     // frames in which the renderer still compiles its shaders
const int worstruns = 3;         // a costly strip's start-up takes seconds
const int worstinserts = 3;      // each lays out a round and loads "text.png" again

static double seconds(benchclock::time_point since)
{
    return std::chrono::duration<double>(benchclock::now() - since).count();
}

struct figure {
    double median, low, high;
};

static figure summarise(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

static figure measure(const std::function<double()>& run)
{
    std::vector<double> v;
    for (int i = 0; i < runs; i++)
        v.push_back(run());
    return summarise(v);
}

static void print(std::FILE* out, const char* what, figure f, const char* unit, const char* target)
{
    char spread[48];
    std::snprintf(spread, sizeof spread, "(%.2f to %.2f)", f.low, f.high);
    std::fprintf(out, "%-30s %10.2f %-4s %-20s   %s\n", what, f.median, unit, spread, target);
}

// Children: the game's own start-up, and its floor, each telling the parent when its first frame is shown.
static void reportshown()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const std::string peak = std::to_string(usage.ru_maxrss) + "\n";
    if (write(reportfd, peak.data(), peak.size()) < 0)
        std::exit(1);
    std::exit(0);
}

static void gamefirstframe()
{
    display();
    glFinish();
    reportshown();
}

// The game's start-up, then what the child shows in place of the game's first frame.
static int startupchild(int argc, char** argv, void (*shown)())
{
    startup(&argc, argv);
    glutDisplayFunc(shown);
    glutMainLoop();
    return 1;
}

// After its first frame, some Inserts, each a round with its own frame.
static void framesafterinserts()
{
    for (int i = 0; i <= worstinserts; i++) {
        if (i > 0)
            skeydown(GLUT_KEY_INSERT, 0, 0);
        display();
        glFinish();
    }
    reportshown();
}


static void floorfirstframe()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
    reportshown();
}

// The window and the hundred loads and uploads of the tile strip that the game cannot do without.
static int floorchild(int argc, char** argv)
{
    openwindow(&argc, argv);
    ilInit();
    iluInit();
    ilutInit();
    for (int i = 0; i < striptiles; i++) {
        ILuint image;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilLoadImage("textures.gif");
        uploadimage();
        ilDeleteImages(1, &image);
    }
    glutDisplayFunc(floorfirstframe);
    glutMainLoop();
    return 1;
}

struct launch {
    double seconds;
    long peakkib;
};

// A child of the given mode, run in the folder given, where there is one.
static launch runchild(const char* self, const char* mode, const char* folder = ".")
{
    int fds[2];
    if (pipe(fds) != 0)
        return {0, 0};
    const auto start = benchclock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], reportfd);
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            _exit(127);
        execl(self, self, mode, folder, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char line[32] = {};
    const ssize_t got = read(fds[0], line, sizeof line - 1);
    const double elapsed = seconds(start);
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return {got > 0 ? elapsed : 0, std::atol(line)};
}

// Right and Up pressed or let go in the game's window, as a player does, so that the frames pay for
// asking the X server which keys are down.
static void holdarrows(bool down)
{
    Display* display = glXGetCurrentDisplay();
    XSetInputFocus(display, glXGetCurrentDrawable(), RevertToParent, CurrentTime);
    for (KeySym arrow : {XK_Right, XK_Up})
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, arrow), down, CurrentTime);
    XSync(display, False);
    for (int i = 0; i < 100 && character.movement.right + character.movement.up != 2 * down; i++)
        glutMainLoopEvent();
}

// Frames as the idle loop runs them, from a fresh round.
static double framerate(bool keysheld)
{
    init();
    holdarrows(keysheld);
    updatetime();
    long frames = 0;
    const auto start = benchclock::now();
    while (seconds(start) < frameseconds) {
        update();
        display();
        frames++;
    }
    holdarrows(false);
    return frames / seconds(start);
}

static double barerate()
{
    long frames = 0;
    const auto start = benchclock::now();
    while (seconds(start) < frameseconds) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
        frames++;
    }
    return frames / seconds(start);
}

static double setupmilliseconds()
{
    const auto start = benchclock::now();
    for (int i = 0; i < setupsperrun; i++)
        init();
    return seconds(start) * 1000 / setupsperrun;
}

static double stripmebibytes()
{
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture.textures[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return striptiles * 4.0 * width * height / (1 << 20); // RGBA, one byte a channel
}

static void runframes(int frames)
{
    for (int i = 0; i < frames; i++) {
        update();
        display();
    }
}

// For callgrind, which collects from here alone: the renderer compiles its shaders in the first frames.
__attribute__((noinline)) static void measuredframes(int frames)
{
    runframes(frames);
}

static int frameschild(int argc, char** argv, int frames)
{
    openwindow(&argc, argv);
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        return 1;
    init();
    character.movement.right = character.movement.up = 1;
    runframes(warmupframes);
    measuredframes(frames);
    return 0;
}

static int report(const char* self, int argc, char** argv)
{
    std::FILE* out = fdopen(dup(STDOUT_FILENO), "w");
    // Start-up and its floor taken in turns, so that both meet the machine in the same mood.
    std::vector<double> games, floors, ratios, peaks;
    for (int i = 0; i < startupruns; i++) {
        const launch game = runchild(self, "startup"), floor = runchild(self, "floor");
        games.push_back(game.seconds * 1000);
        floors.push_back(floor.seconds * 1000);
        ratios.push_back(game.seconds / floor.seconds);
        peaks.push_back(game.peakkib / 1024.0);
    }

    openwindow(&argc, argv);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) // the game's progress and pickup lines
        return 1;
    init();
    glutDisplayFunc(display); // GLUT handles no events for a window without one
    glutSpecialFunc(skeydown);
    glutSpecialUpFunc(skeyup);
    const figure idle = measure([] { return framerate(false); });
    const figure held = measure([] { return framerate(true); });
    const figure bare = measure(barerate);
    const figure setup = measure(setupmilliseconds);

    char ratio[64];
    std::fprintf(out, "%-30s %10s      %-20s   %s\n", "figure", "median", "(spread)", "target");
    print(out, "frames/s, no key held", idle, "", "");
    print(out, "frames/s, right and up held", held, "", "");
    std::snprintf(ratio, sizeof ratio, "%.2f of the bare loop", held.median / bare.median);
    print(out, "frames/s, bare clear and swap", bare, "", ratio);
    print(out, "start-up to first frame", summarise(games), "ms", "");
    print(out, "floor: window + 100 strip loads", summarise(floors), "ms", "");
    print(out, "start-up over its floor", summarise(ratios), "x", "at most 1.2");
    print(out, "round setup after the first", setup, "ms", "under 2 ms");
    print(out, "peak resident memory", summarise(peaks), "MiB", "");
    std::fprintf(out, "%-30s %10.2f MiB\n", "memory of the 100 strip textures", stripmebibytes());
    std::fclose(out);
    return 0;
}

// Start-up, and the memory held after some Inserts, with the strips in a folder other than the game's.
static int reportworst(const char* self, const char* folder, const char* what)
{
    std::vector<double> startups, peaks, insertpeaks;
    for (int i = 0; i < worstruns; i++) {
        const launch started = runchild(self, "startup", folder), inserted = runchild(self, "inserts", folder);
        startups.push_back(started.seconds * 1000);
        peaks.push_back(started.peakkib / 1024.0);
        insertpeaks.push_back(inserted.peakkib / 1024.0);
    }
    std::printf("%s\n", what);
    print(stdout, "  start-up to first frame", summarise(startups), "ms", "at most 10 s over the game's own");
    print(stdout, "  peak resident memory", summarise(peaks), "MiB", "at most 1 GiB over the game's own");
    print(stdout, "  the same after 3 Inserts", summarise(insertpeaks), "MiB", "at most 1 GiB over the game's own");
    return 0;
}

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "startup" || mode == "inserts") && argc > 2 && chdir(argv[2]) != 0)
        return 1;
    if (mode == "startup")
        return startupchild(argc, argv, gamefirstframe);
    if (mode == "inserts")
        return startupchild(argc, argv, framesafterinserts);
    if (mode == "worst" && argc > 3)
        return reportworst(argv[0], argv[2], argv[3]);
    if (mode == "floor")
        return floorchild(argc, argv);
    if (mode == "frames")
        return frameschild(argc, argv, argc > 2 ? std::atoi(argv[2]) : 300);
    return report(argv[0], argc, argv);
}
