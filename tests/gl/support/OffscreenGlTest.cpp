#include "support/OffscreenGl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(OffscreenGl, ClearsAndReadsBackPixels) {
    testsupport::OffscreenGl gl(64, 32);
    ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context (is an X server running?)";
    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);
}
