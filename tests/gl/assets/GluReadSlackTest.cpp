// GLU's mipmap builder reads past the end of some pictures (power-of-two widths with other
// heights, such as the 4 x 6 picture fuzzing found). Whether such a read crashes depends on what
// lies behind the picture, so these tests put the end of the bytes GLU gets right before a page
// that cannot be read: the bare picture must fault there, the copy the loaders hand GLU must not.

#include "support/OffscreenGl.h"
#include "tank/assets/TextureLoader.h"

#include <GL/glu.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

using namespace quelmarine;

namespace {

// `bytes` copied so that their last byte is the last readable one: the page behind is
// PROT_NONE. Unmapped when the object goes.
class GuardedCopy {
  public:
    explicit GuardedCopy(const std::vector<std::uint8_t>& bytes) {
        const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
        const std::size_t pages = (bytes.size() + page - 1) / page;
        length = (pages + 1) * page;
        void* mapped =
            ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            return;
        base = static_cast<std::uint8_t*>(mapped);
        if (::mprotect(base + pages * page, page, PROT_NONE) != 0)
            return;
        start = base + pages * page - bytes.size();
        std::memcpy(start, bytes.data(), bytes.size());
    }
    ~GuardedCopy() {
        if (base)
            ::munmap(base, length);
    }
    GuardedCopy(const GuardedCopy&) = delete;
    GuardedCopy& operator=(const GuardedCopy&) = delete;
    const std::uint8_t* data() const { return start; }

  private:
    std::uint8_t* base = nullptr;
    std::uint8_t* start = nullptr;
    std::size_t length = 0;
};

// What the mipmapped loader does with a picture's RGBA bytes, from the given memory; ends the
// (forked) process with status 0 when GLU returns.
[[noreturn]] void buildMipmapsAndExit(const std::uint8_t* rgba, int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    std::_Exit(0); // no clean-up in the forked copy
}

class GluReadSlackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "fast"); // the child keeps this process's GL context
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";
    }
    testsupport::OffscreenGl gl{16, 16};
};

} // namespace

TEST_F(GluReadSlackTest, TheLoadersCopyKeepsGlusOverreadInsideReadableMemory) {
    struct Size {
        int width, height;
    };
    // 4 x 6 is the picture fuzzing found; the others read past their end the same way.
    for (Size size : {Size{4, 6}, Size{1, 3}, Size{8, 9}, Size{64, 33}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const std::size_t rowBytes = std::size_t(size.width) * 4;
        std::vector<std::uint8_t> rgba(rowBytes * std::size_t(size.height));
        for (std::size_t i = 0; i < rgba.size(); ++i)
            rgba[i] = std::uint8_t(i * 7);

        // The bare picture: GLU reads the page behind it.
        const GuardedCopy bare(rgba);
        ASSERT_NE(bare.data(), nullptr);
        EXPECT_DEATH(buildMipmapsAndExit(bare.data(), size.width, size.height), "")
            << "GLU no longer reads past the picture: the guard proves nothing";

        // The loader's copy, as it is handed to GLU.
        const GuardedCopy padded(withReadSlack(rgba.data(), rgba.size(), rowBytes));
        ASSERT_NE(padded.data(), nullptr);
        EXPECT_EXIT(buildMipmapsAndExit(padded.data(), size.width, size.height),
                    ::testing::ExitedWithCode(0), "");
    }
}
