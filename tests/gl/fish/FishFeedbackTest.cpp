// The fish's vertices as OpenGL receives them, captured in feedback mode (immediate-mode
// geometry only) under an orthographic view, so window coordinates are model coordinates
// scaled: x and y across the window, z in the depth range.

#include "support/OffscreenGl.h"
#include "tank/fish/Fish.h"
#include "unit/fish/RecordingSink.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

using namespace quelmarine;

namespace {

constexpr int kSide = 200;
constexpr float kHalfView = 5; // model units from the centre to the window's edge

using Point = std::array<float, 3>;
using Triangle = std::array<Point, 3>;

// Counts strips and vertices and sends them on to OpenGL.
struct CountingGlSink {
    GlStripSink gl;
    int strips = 0, vertices = 0;
    void BeginStrip() {
        ++strips;
        gl.BeginStrip();
    }
    void EndStrip() { gl.EndStrip(); }
    void Vertex(PartModel& model, float x, float y, float z, float nx, float ny, float nz, float s,
                float t) {
        ++vertices;
        gl.Vertex(model, x, y, z, nx, ny, nz, s, t);
    }
};

class FishFeedbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";
        glViewport(0, 0, kSide, kSide);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, -kHalfView, kHalfView);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        glDisable(GL_LIGHTING);
    }

    // Runs `draw` in feedback mode and returns the triangles, in model units.
    template <typename Draw> std::vector<Triangle> capture(Draw draw) {
        std::vector<GLfloat> buffer(400000);
        glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_GT(used, 0) << "feedback buffer overflow or nothing drawn";
        std::vector<Triangle> triangles;
        for (GLint i = 0; i < used;) {
            const int token = int(buffer[i++]);
            EXPECT_EQ(token, GL_POLYGON_TOKEN);
            if (token != GL_POLYGON_TOKEN)
                break;
            const int n = int(buffer[i++]);
            EXPECT_EQ(n, 3);
            Triangle t{};
            for (int k = 0; k < n; ++k, i += 3)
                if (k < 3)
                    t[k] = {(buffer[i] / kSide * 2 - 1) * kHalfView,
                            (buffer[i + 1] / kSide * 2 - 1) * kHalfView,
                            -(buffer[i + 2] * 2 - 1) * kHalfView};
            triangles.push_back(t);
        }
        return triangles;
    }

    std::vector<Triangle> still(Fish& fish, const FishPose& pose = FishPose{}) {
        return capture([&] { fish.DrawMesh(pose); });
    }

    testsupport::OffscreenGl gl{kSide, kSide};
};

TEST_F(FishFeedbackTest, OneFishIs184QuadsFrom424Vertices) {
    Fish fish;
    CountingGlSink sink;
    const auto triangles = capture([&] { fish.DrawMeshTo(sink, FishPose{}); });
    EXPECT_EQ(triangles.size(), 2u * 184u);
    EXPECT_EQ(sink.strips, 28);
    EXPECT_EQ(sink.vertices, 424);

    // The frame's own entry point sends the same budget (and steps the fish).
    Fish swimmer;
    swimmer.SetBounds(-50, 50, 11, -15, -80, -60);
    EXPECT_EQ(capture([&] { swimmer.Draw(); }).size(), 2u * 184u);
}

TEST_F(FishFeedbackTest, TheTwoHalvesAreMirrorImages) {
    Fish fish;
    fish.size = 6;
    const auto triangles = still(fish);
    std::vector<Point> points;
    for (const Triangle& t : triangles)
        points.insert(points.end(), t.begin(), t.end());
    const float tolerance = 2 * kHalfView / kSide; // about a pixel
    int plusSide = 0;
    for (const Point& p : points) {
        plusSide += p[1] > tolerance;
        bool found = false;
        for (const Point& q : points) {
            if (std::fabs(q[0] - p[0]) < 1e-3f && std::fabs(q[1] + p[1]) < 1e-3f &&
                std::fabs(q[2] - p[2]) < 1e-3f) {
                found = true;
                break;
            }
        }
        EXPECT_TRUE(found) << p[0] << ", " << p[1] << ", " << p[2] << " has no mirror image";
        if (!found)
            break;
    }
    EXPECT_GT(plusSide, 100) << "the mirrored half is drawn on the +y side";
}

TEST_F(FishFeedbackTest, SizeNineIsOneAndAHalfTimesSizeSix) {
    Fish six, nine;
    six.size = 6;
    nine.size = 9;
    const auto a = still(six), b = still(nine);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int k = 0; k < 3; ++k)
            for (int c = 0; c < 3; ++c)
                ASSERT_NEAR(b[i][k][c], a[i][k][c] * 1.5f, 1e-3f) << "triangle " << i;
}

TEST_F(FishFeedbackTest, BendingOneBodyColumnTurnsOnlyItsVertices) {
    Fish fish;
    fish.size = 6;
    FishPose pose;
    pose.yaw[3] = 90;
    const auto straight = still(fish), bent = still(fish, pose);
    ASSERT_EQ(straight.size(), bent.size());
    int moved = 0;
    for (std::size_t i = 0; i < straight.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const Point& a = straight[i][k];
            const Point& b = bent[i][k];
            if (std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]) < 1e-4f)
                continue;
            ++moved;
            // A quarter turn about the vertical axis of the model: (x, y) -> (-y, x).
            EXPECT_NEAR(b[0], -a[1], 1e-3f);
            EXPECT_NEAR(b[1], a[0], 1e-3f);
            EXPECT_NEAR(b[2], a[2], 1e-3f);
            // Column 3 of the body sits at x = -0.233 before the turn.
            EXPECT_NEAR(a[0], -0.233f * 6, 0.03f);
        }
    }
    EXPECT_GT(moved, 0);
    // Only body triangles touch a body column: every moved vertex belongs to the first 144.
    for (std::size_t i = 144; i < straight.size(); ++i)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(straight[i][k], bent[i][k]) << "triangle " << i;
}

} // namespace
