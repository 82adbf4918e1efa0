#include "tank/fish/PartDrawing.h"

#include <GL/gl.h>

namespace quelmarine {

void GlStripSink::BeginStrip() {
    glBegin(GL_QUAD_STRIP);
}
void GlStripSink::EndStrip() {
    glEnd();
}

} // namespace quelmarine
