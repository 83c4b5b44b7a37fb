// imagestrip.cpp -- image strips as one texture and one display list per tile.
// Every texture holds the whole strip; a tile's list picks its band by texture coordinates.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstdint>
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

// A palette picture whose pixels name colours past its palette makes DevIL read outside it.
static bool coloursinpalette()
{
    if (ilGetInteger(IL_IMAGE_FORMAT) != IL_COLOUR_INDEX)
        return true;
    const ILubyte* pixel = ilGetData();
    const ILint colours = ilGetInteger(IL_PALETTE_NUM_COLS);
    return std::all_of(pixel, pixel + ilGetInteger(IL_IMAGE_SIZE_OF_DATA), [&](ILubyte c) { return c < colours; });
}

// One opaque white texel, the same on every run, where a picture is refused or fails to decode.
void loadpicture(const char* file, bool safe)
{
    if (safe && ilLoadImage(file) && coloursinpalette())
        return;
    ILubyte white[] = {255, 255, 255, 255};
    ilTexImage(1, 1, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, white);
}

// The largest texture side the GL takes, and whether it takes sides that are no power of two, read
// once as ILUT reads them: by the extension's name alone, and 256 where the GL names no largest side.
struct gllimits {
    int largest;
    bool anyside;
};

static gllimits readlimits()
{
    const int fallback = 256;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return {largest > 0 ? largest : fallback,
            extensions != nullptr && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr};
}

// A side of a picture as the GL takes it.
static int fittedside(int side)
{
    static const gllimits gl = readlimits();
    int power = 1;
    while (!gl.anyside && power < side && power < gl.largest)
        power *= 2;
    return std::min(gl.anyside ? side : power, gl.largest);
}

// A picture the GL can't take as it is, scaled as ILUT scales it: a palette picture by its nearest
// pixels, any other bilinearly, leaving ILU's filter as it found it.
static void fitpicture(bool palette)
{
    const int width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
    const int fitwidth = fittedside(width), fitheight = fittedside(height);
    if (fitwidth == width && fitheight == height)
        return;
    const ILint filter = iluGetInteger(ILU_FILTER);
    iluImageParameter(ILU_FILTER, palette ? ILU_NEAREST : ILU_BILINEAR);
    iluScale(fitwidth, fitheight, ilGetInteger(IL_IMAGE_DEPTH));
    iluImageParameter(ILU_FILTER, filter);
}

// What ILUT's ilutGLBindTexImage makes by default, for a DevIL whose ILUT has no OpenGL: a palette
// picture in its palette's colours, scaled to what the GL takes, rows bottom up as GL keeps them,
// linear filters, no mipmaps.
GLuint bindteximage()
{
    const bool palette = ilGetInteger(IL_IMAGE_FORMAT) == IL_COLOUR_INDEX;
    if (palette)
        ilConvertImage(ilGetInteger(IL_PALETTE_BASE_TYPE), IL_UNSIGNED_BYTE);
    fitpicture(palette);
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

GLuint uploadimage()
{
#ifdef HOLLOWMINT_ILUT_OPENGL
    return ilutGLBindTexImage();
#else
    return bindteximage();
#endif
}

// Every tile decodes the whole picture again, each GIF frame as a whole screen, and its texture holds
// the picture at the size the GL takes: the first decode tells whether all the tiles keep to the budget.
static bool affordable(int count)
{
    const std::uint64_t width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
    const std::uint64_t decoded = (ilGetInteger(IL_NUM_IMAGES) + 1) * width * height;
    const std::uint64_t held = std::uint64_t(fittedside(int(width))) * fittedside(int(height));
    return std::max(decoded, held) * count <= maxstrippixels;
}

// decode turns false once the picture proves too costly, so that later tiles don't decode it again.
static GLuint loadtexture(const char* file, bool& decode, int count)
{
    ilDefaultImage();
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    loadpicture(file, decode);
    if (decode && !affordable(count)) {
        decode = false;
        loadpicture(file, decode);
    }
    const GLuint name = uploadimage();
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
void loadstrip(const char* file, int count, GLuint* textures, GLuint* lists, bool progress)
{
    forget(count, textures, lists);
    ilInit();
    iluInit();
    ilutInit();
    bool decode = picturesafe(file);
    for (int i = 0; i < count; i++) {
        if (progress)
            std::cout << "Please wait...Texture " << i + 1 << " of 100 loading" << std::endl;
        textures[i] = loadtexture(file, decode, count);
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
