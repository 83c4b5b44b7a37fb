// imagestrip.cpp -- image strips as one texture and one display list per tile.
// Every texture holds the whole strip; a tile's list picks its band by texture coordinates.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

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

static unsigned little16(const unsigned char* b)
{
    return b[0] | b[1] << 8;
}

static std::uint32_t bigendian32(const unsigned char* b)
{
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

static bool plausible(std::uint32_t width, std::uint32_t height)
{
    return width <= maxpictureside && height <= maxpictureside && std::uint64_t(width) * height <= maxpicturepixels;
}

const std::size_t refused = SIZE_MAX; // where a walk through a GIF's blocks stops for good

static std::size_t colourtablebytes(unsigned char packed)
{
    return packed & 0x80 ? std::size_t(3) << ((packed & 7) + 1) : 0;
}

// Past a run of sub-blocks and its terminator.
static std::size_t pastsubblocks(const std::vector<unsigned char>& b, std::size_t at)
{
    while (at < b.size() && b[at] != 0)
        at += 1 + b[at];
    return at < b.size() ? at + 1 : refused;
}

// From an extension's label: a graphic control block of four bytes and nothing more, as DevIL reads
// it whole, or the sub-blocks of a comment, an application or a plain text, which it skips.
static std::size_t pastextension(const std::vector<unsigned char>& b, std::size_t at)
{
    const std::size_t control = 7; // label, size, the four bytes, terminator
    if (at >= b.size())
        return refused;
    switch (b[at]) {
    case 0xf9:
        return b.size() - at >= control && b[at + 1] == 4 && b[at + control - 1] == 0 ? at + control : refused;
    case 0xfe:
    case 0xff:
    case 0x01:
        return pastsubblocks(b, at + 1);
    default:
        return refused;
    }
}

// A frame's LZW codes, read across its whole sub-blocks from at: each must name an entry that the
// table holds, or the one about to be made. DevIL follows any other code into memory it never set.
static bool lzwcodesknown(const std::vector<unsigned char>& b, std::size_t at, unsigned codesize)
{
    const unsigned clear = 1u << codesize, end = clear + 1, mostcodes = 4096, widest = 12;
    unsigned width = codesize + 1, next = end + 1, blockleft = 0, held = 0;
    std::uint32_t bits = 0;
    bool fresh = true; // the table holds only the literals, and the next code adds nothing
    for (;;) {
        for (; held < width; held += 8, blockleft--) {
            if (blockleft == 0 && (blockleft = b[at++]) == 0)
                return true; // no end code, which DevIL takes
            bits |= std::uint32_t(b[at++]) << held;
        }
        const unsigned code = bits & ((1u << width) - 1);
        bits >>= width;
        held -= width;
        if (code == clear) {
            width = codesize + 1;
            next = end + 1;
            fresh = true;
        } else if (code == end) {
            return true;
        } else if (fresh ? code >= clear : code > next) {
            return false;
        } else {
            if (!fresh && next < mostcodes && ++next == 1u << width && width < widest)
                width++;
            fresh = false;
        }
    }
}

// From an image descriptor, past its colour table and LZW data, for a frame inside the screen.
static std::size_t pastframe(const std::vector<unsigned char>& b, std::size_t at, unsigned width, unsigned height)
{
    const std::size_t descriptor = 9;
    if (b.size() - at < descriptor)
        return refused;
    if (little16(&b[at]) + little16(&b[at + 4]) > width || little16(&b[at + 2]) + little16(&b[at + 6]) > height)
        return refused;
    at += descriptor + colourtablebytes(b[at + 8]);
    if (at >= b.size() || b[at] < minlzwcodesize || b[at] > maxlzwcodesize)
        return refused;
    const std::size_t past = pastsubblocks(b, at + 1);
    return past != refused && lzwcodesknown(b, at + 1, b[at]) ? past : refused;
}

// Every block from the screen to the trailer. DevIL keeps each frame as a whole screen.
static bool gifissafe(const std::vector<unsigned char>& b)
{
    const std::size_t screen = 13;
    if (b.size() < screen || (std::memcmp(&b[0], "GIF87a", 6) != 0 && std::memcmp(&b[0], "GIF89a", 6) != 0))
        return false;
    const unsigned width = little16(&b[6]), height = little16(&b[8]);
    if (!plausible(width, height))
        return false;
    std::uint64_t pixels = 0;
    int frames = 0;
    std::size_t at = screen + colourtablebytes(b[10]);
    while (at < b.size()) {
        switch (b[at]) {
        case ',':
            pixels += std::uint64_t(width) * height;
            if (++frames > maxgifframes || pixels > maxpicturepixels)
                return false;
            at = pastframe(b, at + 1, width, height);
            break;
        case '!':
            at = pastextension(b, at + 1);
            break;
        case ';':
            return true;
        default:
            return false;
        }
    }
    return false;
}

// The header, then every chunk whole up to the last. DevIL reads on past a file's end for a chunk
// that says it is longer, and never stops.
static bool pngissafe(const std::vector<unsigned char>& b)
{
    const std::size_t signature = 8, chunk = 12, header = 13; // a chunk's length, kind and CRC; IHDR's data
    if (b.size() < signature + chunk + header || std::memcmp(&b[0], "\x89PNG\r\n\x1a\n", signature) != 0 ||
        std::memcmp(&b[12], "IHDR", 4) != 0 || !plausible(bigendian32(&b[16]), bigendian32(&b[20])))
        return false;
    for (std::size_t at = signature; b.size() - at >= chunk;) {
        const std::uint32_t length = bigendian32(&b[at]);
        if (length > b.size() - at - chunk)
            return false;
        if (std::memcmp(&b[at + 4], "IEND", 4) == 0)
            return true;
        at += chunk + length;
    }
    return false;
}

// DevIL picks its decoder by the name's ending, so the name decides which rules a file must meet.
bool picturesafe(const char* file)
{
    std::FILE* f = std::fopen(file, "rb");
    if (f == nullptr)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    for (std::size_t got; bytes.size() <= maxpicturebytes && (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    if (bytes.size() > maxpicturebytes)
        return false;
    const std::size_t length = std::strlen(file);
    return length >= 4 && std::strcmp(file + length - 4, ".gif") == 0 ? gifissafe(bytes) : pngissafe(bytes);
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

static int fittedside(int side, gllimits gl)
{
    int power = 1;
    while (!gl.anyside && power < side && power < gl.largest)
        power *= 2;
    return std::min(gl.anyside ? side : power, gl.largest);
}

// A picture the GL can't take as it is, scaled as ILUT scales it: a palette picture by its nearest
// pixels, any other bilinearly, leaving ILU's filter as it found it.
static void fitpicture(bool palette)
{
    static const gllimits gl = readlimits();
    const int width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
    const int fitwidth = fittedside(width, gl), fitheight = fittedside(height, gl);
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

static GLuint loadtexture(const char* file, bool safe)
{
    ilDefaultImage();
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    loadpicture(file, safe);
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
    const bool safe = picturesafe(file);
    for (int i = 0; i < count; i++) {
        if (progress)
            std::cout << "Please wait...Texture " << i + 1 << " of 100 loading" << std::endl;
        textures[i] = loadtexture(file, safe);
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
