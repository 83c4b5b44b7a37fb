// storm_probe.cpp -- preloaded into the game by the storm test, which reads where the character is from
// the game's own GL calls without tracing it. The character alone is turned, right after it is moved
// to its centre: the last glTranslatef before a glRotatef is that centre. Its x and y go, as two
// floats, to the file that HOLLOWMINT_PROBE names.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/gl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <cstdlib>

namespace {

float lastx;
float lasty;

float* centrefile()
{
    static float* centre = [] {
        const int fd = open(std::getenv("HOLLOWMINT_PROBE"), O_RDWR | O_CREAT, 0600);
        void* mapped = MAP_FAILED;
        if (fd >= 0 && ftruncate(fd, 2 * sizeof(float)) == 0)
            mapped = mmap(nullptr, 2 * sizeof(float), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (fd >= 0)
            close(fd);
        return mapped == MAP_FAILED ? nullptr : static_cast<float*>(mapped);
    }();
    return centre;
}

template <typename call>
call next(const char* name)
{
    return reinterpret_cast<call>(dlsym(RTLD_NEXT, name));
}

}

extern "C" void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    static const auto real = next<void (*)(GLfloat, GLfloat, GLfloat)>("glTranslatef");
    lastx = x;
    lasty = y;
    real(x, y, z);
}

extern "C" void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    static const auto real = next<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glRotatef");
    if (float* centre = centrefile()) {
        centre[0] = lastx;
        centre[1] = lasty;
    }
    real(angle, x, y, z);
}
