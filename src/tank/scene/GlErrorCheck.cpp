#include "tank/scene/GlErrorCheck.h"

#include <GL/gl.h>
#include <cstdlib>
#include <cstring>

#include "tank/platform/ProgramNames.h"

namespace quelmarine {

namespace {
constexpr int kMostErrorsPerCheck = 64;
} // namespace

bool glChecksRequested() {
    const char* value = std::getenv("QUELMARINE_GL_CHECKS");
    return value && std::strcmp(value, "1") == 0;
}

const char* glErrorName(unsigned code) {
    switch (code) {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    default:
        return "unknown";
    }
}

int reportGlErrors(long frameNumber, std::FILE* out) {
    int count = 0;
    for (GLenum code = glGetError(); code != GL_NO_ERROR && count < kMostErrorsPerCheck;
         code = glGetError()) {
        std::fprintf(out, "%s: GL error 0x%04x %s after frame %ld\n", kProgramName, code,
                     glErrorName(code), frameNumber);
        ++count;
    }
    if (count > 0)
        std::fflush(out);
    return count;
}

} // namespace quelmarine
