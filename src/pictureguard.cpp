// pictureguard.cpp -- reads a picture file before DevIL does, and refuses what DevIL's decoders
// can't take safely: every block of a GIF, LZW codes and all, and every chunk of a PNG.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "hollowmint.h"

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
// it whole, or the sub-blocks of any other, which it skips, as GIF89a says of labels it doesn't define.
static std::size_t pastextension(const std::vector<unsigned char>& b, std::size_t at)
{
    const std::size_t control = 7; // label, size, the four bytes, terminator
    if (at >= b.size())
        return refused;
    if (b[at] == 0xf9)
        return b.size() - at >= control && b[at + 1] == 4 && b[at + control - 1] == 0 ? at + control : refused;
    return pastsubblocks(b, at + 1);
}

// A frame's LZW codes, read across its whole sub-blocks from at: each must name an entry that the
// table holds, or the one about to be made, and the end code must end the data. DevIL follows any
// other code into memory it never set, and reads on past an end code.
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
            return blockleft == 0 && b[at] == 0; // nothing after it but its last byte's spare bits
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
