// The picture guard: each of its limits, exactly at it and one past, and the blank a refused file leaves.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <IL/il.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "hollowmint.h"

static std::string le16(unsigned v)
{
    return {static_cast<char>(v & 255), static_cast<char>(v >> 8 & 255)};
}

static std::string be32(unsigned long v)
{
    return {static_cast<char>(v >> 24 & 255), static_cast<char>(v >> 16 & 255), static_cast<char>(v >> 8 & 255),
            static_cast<char>(v & 255)};
}

// LZW data in one sub-block, of codes codesize + 1 bits wide, as the first few after a clear code are.
static std::string lzw(int codesize, std::initializer_list<unsigned> codes)
{
    std::string data;
    unsigned long bits = 0;
    int held = 0;
    for (unsigned code : codes) {
        bits |= static_cast<unsigned long>(code) << held;
        for (held += codesize + 1; held >= 8; held -= 8, bits >>= 8)
            data += static_cast<char>(bits & 255);
    }
    if (held > 0)
        data += static_cast<char>(bits);
    return static_cast<char>(data.size()) + data + '\0';
}

// A frame of colour 0: a clear code, the literal, the end code.
static std::string frame(unsigned left, unsigned top, unsigned width, unsigned height, int codesize = 2,
                         std::string data = "")
{
    const unsigned clear = 1u << codesize;
    return "," + le16(left) + le16(top) + le16(width) + le16(height) + std::string(1, '\0') +
           static_cast<char>(codesize) + (data.empty() ? lzw(codesize, {clear, 0, clear + 1}) : data);
}

static std::string frames(int n, unsigned width, unsigned height)
{
    std::string all;
    for (int i = 0; i < n; i++)
        all += frame(0, 0, width, height);
    return all;
}

// A screen with a global table of two colours, the blocks, the trailer.
static std::string gif(unsigned width, unsigned height, const std::string& blocks)
{
    return "GIF89a" + le16(width) + le16(height) + std::string("\x80\0\0\0\0\0\xff\xff\xff", 9) + blocks + ";";
}

// A PNG's chunk with a CRC that the guard does not check.
static std::string chunk(const char* kind, const std::string& data)
{
    return be32(data.size()) + kind + data + be32(0);
}

static std::string png(unsigned long width, unsigned long height, const std::string& chunks = "")
{
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", be32(width) + be32(height) + std::string("\x08\x06\0\0\0", 5)) + chunks +
           chunk("IEND", "");
}

static std::string control(int size)
{
    return "\x21\xf9" + std::string(1, static_cast<char>(size)) + std::string(size, '\0') + std::string(1, '\0');
}

static const std::string comment("\x21\xfe\x03" "abc" "\0", 7);

// The picture in a file of its own, with the ending that picks DevIL's decoder.
static std::string written(const std::string& bytes, const char* ending)
{
    std::string name = std::string("/tmp/hollowmint-guard-XXXXXX") + ending;
    const int fd = mkstemps(&name[0], 4);
    const bool whole = fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0)
        close(fd);
    return whole ? name : "";
}

static bool safe(const std::string& bytes, const char* ending)
{
    const std::string file = written(bytes, ending);
    const bool answer = picturesafe(file.c_str());
    std::remove(file.c_str());
    return answer;
}

TEST(pictureguard, takeseachlimitandrefusesonepast)
{
    const unsigned side = maxpictureside, square = 1u << 12; // square x square is every pixel allowed
    const std::string small = gif(1, 1, frame(0, 0, 1, 1)); // what follows the trailer is never read
    const std::string filled = small + std::string(maxpicturebytes - small.size(), '\0');
    struct { const char* what; std::string bytes; const char* ending; bool safe; } cases[] = {
        {"a GIF screen as wide as allowed", gif(side, 1, frame(0, 0, 1, 1)), ".gif", true},
        {"a GIF screen one wider", gif(side + 1, 1, frame(0, 0, 1, 1)), ".gif", false},
        {"a PNG as tall as allowed", png(1, side), ".png", true},
        {"a PNG one taller", png(1, side + 1), ".png", false},
        {"a PNG of every pixel allowed", png(square, square), ".png", true},
        {"a PNG of one row more", png(square, square + 1), ".png", false},
        {"a PNG's header in a .gif", png(1, 1), ".gif", false},
        {"a PNG whose last chunk ends the file", png(1, 1, chunk("tEXt", "a")), ".png", true},
        {"a last chunk one byte longer than the file", png(1, 1).substr(0, 33) + be32(1) + "IEND" + be32(0), ".png",
         false},
        {"a GIF in a .png", gif(1, 1, frame(0, 0, 1, 1)), ".png", false},
        {"a frame at the screen's right and top edges", gif(8, 8, frame(5, 6, 3, 2)), ".gif", true},
        {"a frame one past the right edge", gif(8, 8, frame(6, 6, 3, 2)), ".gif", false},
        {"a frame one past the top edge", gif(8, 8, frame(5, 7, 3, 2)), ".gif", false},
        {"a frame far out", gif(1, 1, frame(65000, 0, 100, 100)), ".gif", false},
        {"as many frames as allowed", gif(1, 1, frames(maxgifframes, 1, 1)), ".gif", true},
        {"one frame more", gif(1, 1, frames(maxgifframes + 1, 1, 1)), ".gif", false},
        {"frames of every pixel allowed", gif(square, square / 2, frames(2, 1, 1)), ".gif", true},
        {"frames of one pixel more", gif(square, square / 2 + 1, frames(2, 1, 1)), ".gif", false},
        {"the smallest LZW code size", gif(1, 1, frame(0, 0, 1, 1, minlzwcodesize)), ".gif", true},
        {"one smaller", gif(1, 1, frame(0, 0, 1, 1, minlzwcodesize - 1)), ".gif", false},
        {"the largest LZW code size", gif(1, 1, frame(0, 0, 1, 1, maxlzwcodesize)), ".gif", true},
        {"one larger", gif(1, 1, frame(0, 0, 1, 1, maxlzwcodesize + 1)), ".gif", false},
        {"a code for the entry about to be made", gif(2, 2, frame(0, 0, 2, 2, 2, lzw(2, {4, 0, 6, 5}))), ".gif", true},
        {"one past it", gif(2, 2, frame(0, 0, 2, 2, 2, lzw(2, {4, 0, 7, 5}))), ".gif", false},
        {"a first code past the literals", gif(2, 2, frame(0, 0, 2, 2, 2, lzw(2, {4, 6, 5}))), ".gif", false},
        {"codes after the end code", gif(2, 2, frame(0, 0, 2, 2, 2, lzw(2, {4, 0, 5, 0, 0, 0}))), ".gif", false},
        {"a graphic control block of four bytes", gif(1, 1, control(4) + frame(0, 0, 1, 1)), ".gif", true},
        {"one of five", gif(1, 1, control(5) + frame(0, 0, 1, 1)), ".gif", false},
        {"an extension whose label GIF89a does not define, skipped", gif(1, 1, std::string("\x21\x42\x01z\0", 5) + frame(0, 0, 1, 1)),
         ".gif", true},
        {"a block of no known kind", gif(1, 1, "\x42" + frame(0, 0, 1, 1)), ".gif", false},
        {"a file as long as allowed", filled, ".gif", true},
        {"one byte longer", filled + '\0', ".gif", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(safe(c.bytes, c.ending), c.safe) << c.what;
    struct { std::string whole; const char* ending; } cut[] = {
        {gif(8, 8, control(4) + frame(0, 0, 8, 8) + comment), ".gif"},
        {png(8, 8, chunk("IDAT", "pixels")), ".png"},
    };
    for (const auto& c : cut) {
        ASSERT_TRUE(safe(c.whole, c.ending));
        for (std::size_t at = 0; at < c.whole.size(); at++)
            EXPECT_FALSE(safe(c.whole.substr(0, at), c.ending)) << c.ending << " cut after " << at << " bytes";
    }
    EXPECT_FALSE(picturesafe("/nonexistent/textures.gif"));
}

// What the bound DevIL image holds after the game's loader: its size and its first texel's bytes.
static std::string loaded(const std::string& bytes, const char* ending)
{
    const std::string file = written(bytes, ending);
    ilInit();
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    loadpicture(file.c_str(), picturesafe(file.c_str()));
    std::remove(file.c_str());
    ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    std::string held = std::to_string(ilGetInteger(IL_IMAGE_WIDTH)) + "x" + std::to_string(ilGetInteger(IL_IMAGE_HEIGHT));
    for (int i = 0; i < 4; i++)
        held += " " + std::to_string(ilGetData()[i]);
    ilDeleteImages(1, &image);
    return held;
}

// A 4 x 4 frame in a palette of two colours, every pixel colour 1, then colour 2.
static const std::string lastcolour("GIF89a\x04\0\x04\0\x80\0\0\0\0\xff\x55\x28\xc3,\0\0\0\0\x04\0\x04\0\0"
                                    "\x02\x04\x8c\x8f\x19\x05\0;", 37);
static const std::string pastpalette("GIF89a\x04\0\x04\0\x80\0\0\0\0\xff\x55\x28\xc3,\0\0\0\0\x04\0\x04\0\0"
                                     "\x02\x04\x94\x8f\x29\x05\0;", 37);

TEST(pictureguard, whatisrefusedorbrokenisoneopaquewhitetexel)
{
    EXPECT_EQ(loaded(lastcolour, ".gif"), "4x4 85 40 195 255");
    EXPECT_EQ(loaded(pastpalette, ".gif"), "1x1 255 255 255 255");
    EXPECT_EQ(loaded(gif(1, 1, frame(65000, 0, 100, 100)), ".gif"), "1x1 255 255 255 255");
    EXPECT_EQ(loaded(lastcolour.substr(0, 30) + "\0;", ".gif"), "1x1 255 255 255 255");
}
