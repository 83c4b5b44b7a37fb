// Image strips: progress lines, each tile's band of the strip, the texture each picture makes, the
// state print leaves, and reloading.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#define GL_GLEXT_PROTOTYPES
#include <GL/glut.h>
#include <GL/glext.h>
#ifdef HOLLOWMINT_ILUT_OPENGL
#define ILUT_USE_OPENGL
#endif
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "glwindow.h"

TEST(imagestrip, thetilestripcountsitshundredtilesandthedigitsnone)
{
    testing::internal::CaptureStdout();
    texture.initialise();
    std::istringstream lines(testing::internal::GetCapturedStdout());
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        n++;
        EXPECT_EQ(line, "Please wait...Texture " + std::to_string(n) + " of 100 loading");
    }
    EXPECT_EQ(n, 100);
    testing::internal::CaptureStdout();
    score.text.initialise();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

struct corner {
    bool right, top;
    float s, t;
};

// A vertex shader that hands each vertex's place and texture coordinates on, unchanged.
static const char* passon = R"(#version 130
out vec4 place, st;
void main()
{
    place = gl_Vertex;
    st = gl_MultiTexCoord0;
    gl_Position = gl_Vertex;
})";

static GLuint passonprogram()
{
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    glShaderSource(shader, 1, &passon, nullptr);
    glCompileShader(shader);
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    const char* captured[] = {"place", "st"};
    glTransformFeedbackVaryings(program, 2, captured, GL_INTERLEAVED_ATTRIBS);
    glLinkProgram(program);
    glDeleteShader(shader);
    return program;
}

// What a tile's list sends, captured exactly by transform feedback: each vertex's corner and (s, t).
// (GL's feedback mode would tell the same, but Debian 12's softpipe crashes replaying a list in it.)
static std::vector<corner> corners(GLuint list)
{
    const int most = 12, floats = 8; // a quad's two triangles at least; place and st a vertex
    const GLuint program = passonprogram();
    GLuint buffer, query, written = 0;
    glGenBuffers(1, &buffer);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
    glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, most * floats * sizeof(float), nullptr, GL_STATIC_READ);
    glGenQueries(1, &query);
    glUseProgram(program);
    glEnable(GL_RASTERIZER_DISCARD);
    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
    glBeginTransformFeedback(GL_TRIANGLES);
    glCallList(list);
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    glDisable(GL_RASTERIZER_DISCARD);
    glUseProgram(0);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &written);
    std::vector<float> f(most * floats);
    glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, f.size() * sizeof(float), f.data());
    std::vector<corner> seen;
    for (GLuint v = 0; v < std::min<GLuint>(written * 3, most); v++) {
        const float* vertex = &f[v * floats];
        seen.push_back({vertex[0] > 0, vertex[1] > 0, vertex[4], vertex[5]});
    }
    glDeleteQueries(1, &query);
    glDeleteBuffers(1, &buffer);
    glDeleteProgram(program);
    return seen;
}

TEST(imagestrip, eachtilecoversitsownbandandthelastendsatone)
{
    struct { GLuint list; float left, right; } cases[] = {
        {texture.lists[0], 0.0f, 0.01f},
        {texture.lists[42], 0.42f, 0.43f},
        {texture.lists[99], 0.99f, 1.0f},
        {score.text.lists[9], 0.9f, 1.0f},
    };
    for (const auto& c : cases) {
        const std::vector<corner> seen = corners(c.list);
        std::set<std::pair<bool, bool>> four;
        for (const corner& v : seen) {
            four.insert({v.right, v.top});
            // the strip's t = 1 lies at the quad's bottom edge
            EXPECT_EQ(v.s, v.right ? c.right : c.left) << "list " << c.list;
            EXPECT_EQ(v.t, v.top ? 0.0f : 1.0f) << "list " << c.list;
        }
        EXPECT_EQ(four.size(), 4u) << "list " << c.list << ": every corner of the quad";
    }
}

// The texture that `way` makes of the picture that `put` leaves in a freshly bound DevIL image.
static GLuint madeby(GLuint (*way)(), void (*put)())
{
    ilInit();
    iluInit();
    ilutInit();
    ilDefaultImage();
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    put();
    const GLuint name = way();
    ilDeleteImages(1, &image);
    return name;
}

// All that GL tells of a texture, by name: its parameters, and every level's parameters and texels.
static std::map<std::string, std::string> described(GLuint name)
{
    std::map<std::string, std::string> told;
    glBindTexture(GL_TEXTURE_2D, name);
    const GLenum parameters[] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T,
                                 GL_TEXTURE_WRAP_R, GL_TEXTURE_BASE_LEVEL, GL_TEXTURE_MAX_LEVEL, GL_TEXTURE_MIN_LOD,
                                 GL_TEXTURE_MAX_LOD, GL_TEXTURE_LOD_BIAS, GL_GENERATE_MIPMAP, GL_TEXTURE_PRIORITY,
                                 GL_TEXTURE_COMPARE_MODE, GL_TEXTURE_COMPARE_FUNC, GL_DEPTH_TEXTURE_MODE,
                                 GL_TEXTURE_BORDER_COLOR};
    for (GLenum p : parameters) {
        GLfloat v[4] = {};
        glGetTexParameterfv(GL_TEXTURE_2D, p, v);
        told["parameter " + std::to_string(p)] = std::to_string(v[0]) + " " + std::to_string(v[1]) + " " +
                                                  std::to_string(v[2]) + " " + std::to_string(v[3]);
    }
    const GLenum levelparameters[] = {GL_TEXTURE_WIDTH, GL_TEXTURE_HEIGHT, GL_TEXTURE_DEPTH, GL_TEXTURE_BORDER,
                                      GL_TEXTURE_INTERNAL_FORMAT, GL_TEXTURE_RED_SIZE, GL_TEXTURE_GREEN_SIZE,
                                      GL_TEXTURE_BLUE_SIZE, GL_TEXTURE_ALPHA_SIZE, GL_TEXTURE_LUMINANCE_SIZE,
                                      GL_TEXTURE_INTENSITY_SIZE, GL_TEXTURE_COMPRESSED};
    const int mostlevels = 16; // a side of 2^15 texels, past any picture the game loads
    for (int level = 0; level < mostlevels; level++) {
        const std::string at = "level " + std::to_string(level) + " ";
        for (GLenum p : levelparameters) {
            GLint v = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, p, &v);
            told[at + std::to_string(p)] = std::to_string(v);
        }
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        std::string texels(static_cast<size_t>(width) * height * 4, '\0');
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, &texels[0]);
        told[at + "texels"] = texels;
    }
    GLint alignment;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    told["unpack alignment left"] = std::to_string(alignment);
    told["GL error"] = std::to_string(glGetError());
    return told;
}

static std::string shown(const std::string& value)
{
    return value.size() > 64 ? std::to_string(value.size()) + " bytes" : value;
}

static char halfpng[] = "/tmp/hollowmint-half-XXXXXX.png"; // DevIL tells a picture's kind by its ending

static bool writehalfpng()
{
    std::ifstream whole("text.png", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    const int fd = mkstemps(halfpng, 4);
    if (fd < 0)
        return false;
    const bool written = write(fd, bytes.data(), bytes.size() / 2) == static_cast<ssize_t>(bytes.size() / 2);
    close(fd);
    return written;
}

#ifdef HOLLOWMINT_ILUT_OPENGL
static GLuint (*ilutupload)() = ilutGLBindTexImage;
#else
static GLuint (*ilutupload)() = nullptr;
#endif

// As the game loads a picture: refused, or blank where DevIL fails on it.
static void load(const char* file)
{
    loadpicture(file, picturesafe(file));
}

// Both strips, and pictures as bad files leave them: none at all, one cut off, rows of an odd length.
TEST(imagestrip, thegamesownuploadmakeswhatilutmakes)
{
    if (ilutupload == nullptr)
        GTEST_SKIP() << "this DevIL's ILUT has no OpenGL to compare with";
    ASSERT_TRUE(writehalfpng());
    struct { const char* what; void (*put)(); } pictures[] = {
        {"textures.gif", [] { load("textures.gif"); }},
        {"text.png", [] { load("text.png"); }},
        {"a missing file", [] { load("/nonexistent/text.png"); }},
        {"half of text.png", [] { load(halfpng); }},
        {"7 x 5 RGB, top row first", [] {
             unsigned char rgb[7 * 5 * 3];
             for (unsigned i = 0; i < sizeof rgb; i++)
                 rgb[i] = static_cast<unsigned char>(i * 5);
             ilTexImage(7, 5, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb);
             ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
         }},
    };
    for (const auto& p : pictures) {
        GLuint made[2] = {madeby(ilutupload, p.put), madeby(bindteximage, p.put)};
        const auto ilut = described(made[0]), ours = described(made[1]);
        for (const auto& [what, value] : ilut)
            EXPECT_TRUE(ours.at(what) == value)
                << p.what << ", " << what << ": ILUT " << shown(value) << ", ours " << shown(ours.at(what));
        glDeleteTextures(2, made);
    }
    std::remove(halfpng);
}

// The strips' textures on every GL the suite draws on, as ILUT sizes them: each side a power of two
// where the GL wants one, none past the GL's largest, and still the strip's picture.
TEST(imagestrip, thestripstexturesfitthegl)
{
    struct { int largest; bool anysides; int tiles[2], digits[2]; } gls[] = {
        {16384, true, {3200, 32}, {160, 16}}, {16384, false, {4096, 32}, {256, 16}},
        {2048, true, {2048, 32}, {160, 16}},  {2048, false, {2048, 32}, {256, 16}},
        {1024, true, {1024, 32}, {160, 16}},  {1024, false, {1024, 32}, {256, 16}},
    };
    const auto gl = std::find_if(std::begin(gls), std::end(gls), [](const auto& g) {
        return g.largest == largesttexture() && g.anysides == anytexturesides();
    });
    if (gl == std::end(gls))
        GTEST_SKIP() << "no sizes known for this GL's limits";
    struct { const char* strip; GLuint texture; const int* size; } strips[] = {
        {"textures.gif", texture.textures[0], gl->tiles},
        {"text.png", score.text.textures[0], gl->digits},
    };
    for (const auto& s : strips) {
        const auto told = described(s.texture);
        EXPECT_EQ(told.at("level 0 " + std::to_string(GL_TEXTURE_WIDTH)), std::to_string(s.size[0])) << s.strip;
        EXPECT_EQ(told.at("level 0 " + std::to_string(GL_TEXTURE_HEIGHT)), std::to_string(s.size[1])) << s.strip;
        const std::string& texels = told.at("level 0 texels");
        EXPECT_NE(texels.find_first_not_of(texels.substr(0, 4)), std::string::npos) << s.strip << ": one colour";
    }
}

// LZW data in sub-blocks for a run of n pixels of colour 0, as an encoder writes a run: each code one
// pixel longer than the last, until the table is full and a clear code starts it again.
static std::string lzwrun(unsigned long n)
{
    const unsigned codesize = 2, clear = 1u << codesize, end = clear + 1, full = 4095, widest = 12;
    std::string data;
    std::uint32_t bits = 0;
    unsigned held = 0, width = codesize + 1, next = end + 1;
    const auto put = [&](unsigned code) {
        bits |= code << held;
        for (held += width; held >= 8; held -= 8, bits >>= 8)
            data += static_cast<char>(bits & 255);
    };
    put(clear);
    for (unsigned long run = 1; n > 0; run++) {
        const unsigned long take = std::min(run, n);
        put(take == 1 ? 0 : end + take - 1);
        n -= take;
        if (run > 1 && ++next == 1u << width && width < widest)
            width++;
        if (next >= full) {
            put(clear);
            width = codesize + 1;
            next = end + 1;
            run = 0;
        }
    }
    put(end);
    if (held > 0)
        data += static_cast<char>(bits);
    std::string blocks;
    for (std::size_t at = 0; at < data.size(); at += 255)
        blocks += static_cast<char>(std::min<std::size_t>(255, data.size() - at)) + data.substr(at, 255);
    return blocks + '\0';
}

// A GIF of frames, each a whole square screen of one colour, in a .gif of its own.
static std::string framesgif(unsigned side, unsigned long frames)
{
    const std::string size{static_cast<char>(side & 255), static_cast<char>(side >> 8)};
    const std::string frame = "," + std::string(4, '\0') + size + size + std::string("\0\x02", 2) + lzwrun(side * side);
    std::string bytes = "GIF89a" + size + size + std::string("\x80\0\0\0\0\0\xff\xff\xff", 9);
    for (unsigned long f = 0; f < frames; f++)
        bytes += frame;
    bytes += ';';
    std::string name = "/tmp/hollowmint-frames-XXXXXX.gif";
    const int fd = mkstemps(&name[0], 4);
    const bool whole = fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0)
        close(fd);
    return whole ? name : "";
}

// Each of a strip's tiles decodes all its frames again: past the budget of pixels, the tiles are
// blank after one decode, judged by the textures' size.
TEST(imagestrip, astripdecodedpastitsbudgetisblank)
{
    const unsigned side = 256;
    const unsigned long atbudget = maxstrippixels / (side * side * striptiles);
    struct { const char* what; unsigned long frames; int shown; } cases[] = {
        {"frames that decode to the budget", atbudget, side},
        {"one frame more", atbudget + 1, 1},
    };
    GLuint textures[striptiles] = {}, lists[striptiles] = {};
    for (const auto& c : cases) {
        const std::string file = framesgif(side, c.frames);
        loadstrip(file.c_str(), striptiles, textures, lists, false);
        std::remove(file.c_str());
        for (GLuint t : {textures[0], textures[striptiles - 1]})
            EXPECT_EQ(described(t).at("level 0 " + std::to_string(GL_TEXTURE_WIDTH)), std::to_string(c.shown)) << c.what;
    }
    glDeleteTextures(striptiles, textures);
    for (GLuint l : lists)
        glDeleteLists(l, 1);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Every picture that make fuzz starts from, and every one it ever crashed on, as both strips.
TEST(imagestrip, thefuzzerscorpusandeverycrashitfoundloadsafely)
{
    int replayed = 0;
    for (const char* folder : {FUZZFOLDER "/corpus", FUZZFOLDER "/regressions"}) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            replayed++;
        }
    }
    EXPECT_GT(replayed, 2) << "the corpus holds the two strips at least";
}

TEST(imagestrip, printleaveslightingonandtexturingoff)
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    texture.print(5);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.textures[5]);
}

TEST(imagestrip, reloadingreplacesthenamesanddropstheoldones)
{
    const int reloads = 3, margin = reloads * digittiles;
    score.text.initialise();
    const int textures = livenames(glIsTexture, margin), lists = livenames(glIsList, margin);
    for (int round = 0; round < reloads; round++)
        score.text.initialise();
    EXPECT_EQ(livenames(glIsTexture, margin), textures);
    EXPECT_EQ(livenames(glIsList, margin), lists);
    for (int d = 0; d < digittiles; d++) {
        EXPECT_TRUE(glIsTexture(score.text.textures[d]));
        EXPECT_TRUE(glIsList(score.text.lists[d]));
    }
}

// Without its pictures the game says no more than it always does.
static bool ordinary(const std::string& line)
{
    return line == "collected" || line == "completed" || line.rfind("Please wait...Texture ", 0) == 0;
}

TEST(imagestrip, withoutitspicturesthegamestillstartsandplays)
{
    char folder[] = "/tmp/hollowmint-nopictures-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    char* before = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(folder), 0);
    z = 0;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    init();
    for (int frame = 0; frame < 10; frame++) {
        update();
        display();
    }
    std::istringstream lines(testing::internal::GetCapturedStdout());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    int progress = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(ordinary(line)) << line;
        progress += line.rfind("Please wait", 0) == 0;
    }
    EXPECT_EQ(progress, 100);
    ASSERT_EQ(chdir(before), 0);
    free(before);
    rmdir(folder);
    z = 0;
    capturedinit();
}
