// imagestrip.cpp -- image strips as one texture and one display list per tile.
// Every texture holds the whole strip; a tile's list picks its band by texture coordinates.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>

#ifdef HOLLOWMINT_ILUT_OPENGL
#define ILUT_USE_OPENGL
#endif
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "hollowmint.h"

static void forget(int count, GLuint* textures, GLuint* lists)
{
    glDeleteTextures(count, textures);
    for (int i = 0; i < count; i++) {
        if (lists[i] != 0)
            glDeleteLists(lists[i], 1);
    }
}

// DevIL trusts a header's size: it crashes on a PNG that declares 200,000 pixels a side,
// and spends seconds on a GIF of 65,535 before crashing. Such a picture is left unloaded.
const std::uint32_t maxpictureside = 16384;
const std::uint64_t maxpicturepixels = 1u << 24;

static std::uint32_t bigendian32(const unsigned char* b)
{
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

static bool sizeisplausible(const char* file)
{
    unsigned char head[24] = {};
    std::FILE* f = std::fopen(file, "rb");
    if (f == nullptr)
        return true; // DevIL fails on it quietly
    const std::size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    std::uint32_t width = 0, height = 0;
    if (got >= 10 && std::memcmp(head, "GIF8", 4) == 0) {
        width = head[6] | head[7] << 8;
        height = head[8] | head[9] << 8;
    } else if (got >= 24 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0) {
        width = bigendian32(head + 16);
        height = bigendian32(head + 20);
    }
    return width <= maxpictureside && height <= maxpictureside &&
           std::uint64_t(width) * height <= maxpicturepixels;
}

// What ILUT's ilutGLBindTexImage makes by default, for a DevIL whose ILUT has no OpenGL: a palette
// picture in its palette's colours, rows bottom up as GL keeps them, linear filters, no mipmaps.
GLuint bindteximage()
{
    if (ilGetInteger(IL_IMAGE_FORMAT) == IL_COLOUR_INDEX)
        ilConvertImage(ilGetInteger(IL_PALETTE_BASE_TYPE), IL_UNSIGNED_BYTE);
    if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT)
        iluFlipImage();
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // DevIL packs its rows tight
    glTexImage2D(GL_TEXTURE_2D, 0, ilGetInteger(IL_IMAGE_BPP), ilGetInteger(IL_IMAGE_WIDTH),
                 ilGetInteger(IL_IMAGE_HEIGHT), 0, ilGetInteger(IL_IMAGE_FORMAT), ilGetInteger(IL_IMAGE_TYPE),
                 ilGetData());
    return name;
}

static GLuint loadtexture(const char* file, bool loadable)
{
    ilDefaultImage();
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (loadable)
        ilLoadImage(file);
#ifdef HOLLOWMINT_ILUT_OPENGL
    const GLuint name = ilutGLBindTexImage();
#else
    const GLuint name = bindteximage();
#endif
    ilDeleteImages(1, &image);
    return name;
}

// t = 1 lies at the quad's bottom edge, so the strips are stored upside down.
static GLuint compiletile(int i, int count)
{
    const float left = static_cast<float>(i) / count;
    const float right = static_cast<float>(i + 1) / count;
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
        glBegin(GL_QUADS);
            glTexCoord2f(left, 1);
            glVertex3f(0, 0, 0);
            glTexCoord2f(right, 1);
            glVertex3f(1, 0, 0);
            glTexCoord2f(right, 0);
            glVertex3f(1, 1, 0);
            glTexCoord2f(left, 0);
            glVertex3f(0, 1, 0);
        glEnd();
    glEndList();
    return list;
}

// The names of a previous call are deleted first, so repeated rounds hold no more GL objects.
static void loadstrip(const char* file, int count, GLuint* textures, GLuint* lists, bool progress)
{
    forget(count, textures, lists);
    ilInit();
    iluInit();
    ilutInit();
    const bool loadable = sizeisplausible(file);
    for (int i = 0; i < count; i++) {
        if (progress)
            std::cout << "Please wait...Texture " << i + 1 << " of 100 loading" << std::endl;
        textures[i] = loadtexture(file, loadable);
        lists[i] = compiletile(i, count);
    }
}

static void drawtile(GLuint texture, GLuint list)
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glCallList(list);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void _text::initialise()
{
    loadstrip("text.png", digittiles, textures, lists, false);
}

void _text::print(int i)
{
    drawtile(textures[i], lists[i]);
}

void _texture::initialise()
{
    loadstrip("textures.gif", striptiles, textures, lists, true);
}

void _texture::print(int i)
{
    drawtile(textures[i], lists[i]);
}
