// smallgl.cpp -- preloaded into the drawing tests to make a GL smaller than llvmpipe, which takes
// textures of 16,384 texels a side: its largest side becomes HOLLOWMINT_LARGESTTEXTURE, and an upload
// past it leaves the texture without an image, as on such a GL.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/gl.h>
#include <dlfcn.h>
#include <algorithm>
#include <cstdlib>

namespace {

GLint largest()
{
    static const GLint side = std::atoi(std::getenv("HOLLOWMINT_LARGESTTEXTURE"));
    return side;
}

template <typename call>
call next(const char* name)
{
    return reinterpret_cast<call>(dlsym(RTLD_NEXT, name));
}

}

extern "C" void glGetIntegerv(GLenum name, GLint* value)
{
    static const auto real = next<void (*)(GLenum, GLint*)>("glGetIntegerv");
    real(name, value);
    if (name == GL_MAX_TEXTURE_SIZE)
        *value = std::min(*value, largest());
}

// A proxy that is too large reads back as no texture at all.
extern "C" void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const void* pixels)
{
    static const auto real =
        next<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*)>("glTexImage2D");
    const bool fits = width <= largest() && height <= largest();
    if (fits)
        real(target, level, internalformat, width, height, border, format, type, pixels);
    else if (target == GL_PROXY_TEXTURE_2D)
        real(target, level, internalformat, 0, 0, border, format, type, nullptr);
}
