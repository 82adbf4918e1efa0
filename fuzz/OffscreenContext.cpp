#include "OffscreenContext.h"

#include "support/OffscreenGl.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzzsupport {

void makeOffscreenContextCurrent() {
    static std::unique_ptr<testsupport::OffscreenGl> context =
        std::make_unique<testsupport::OffscreenGl>(16, 16);
    if (!context->ok()) {
        std::fprintf(stderr, "no OpenGL context: this fuzz target needs an X server\n");
        std::exit(1);
    }
}

} // namespace fuzzsupport
