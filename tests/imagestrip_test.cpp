// Image strips: progress lines, each tile's band of the strip, the state print leaves, and reloading.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

// What a tile's list sends, read back through GL's feedback mode: each vertex's corner and (s, t).
static std::vector<corner> corners(GLuint list)
{
    std::vector<float> buffer(256);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    const int used = glRenderMode(GL_RENDER);
    std::vector<corner> seen;
    // polygons as a token, a count, then per vertex x y z, r g b a, s t r q
    for (int at = 0; at < used; at += 2 + 11 * static_cast<int>(buffer[at + 1])) {
        for (int v = 0; v < static_cast<int>(buffer[at + 1]); v++) {
            const float* f = &buffer[at + 2 + v * 11];
            seen.push_back({f[0] > 0, f[1] > 0, f[7], f[8]});
        }
    }
    return seen;
}

TEST(imagestrip, eachtilecoversitsownbandandthelastendsatone)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    struct { GLuint list; float left, right; } cases[] = {
        {texture.lists[0], 0.0f, 0.01f},
        {texture.lists[42], 0.42f, 0.43f},
        {texture.lists[99], 0.99f, 1.0f},
        {score.text.lists[9], 0.9f, 1.0f},
    };
    for (const auto& c : cases) {
        const std::vector<corner> seen = corners(c.list);
        EXPECT_GE(seen.size(), 4u);
        for (const corner& v : seen) {
            // the strip's t = 1 lies at the quad's bottom edge
            EXPECT_EQ(v.s, v.right ? c.right : c.left) << "list " << c.list;
            EXPECT_EQ(v.t, v.top ? 0.0f : 1.0f) << "list " << c.list;
        }
    }
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
