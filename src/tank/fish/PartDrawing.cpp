#include "tank/fish/PartDrawing.h"

#include <GL/gl.h>

namespace quelmarine {

namespace {
constexpr int kFloatsPerVertex = 8; // GL_T2F_N3F_V3F
}

void GlStripSink::EndStrip() {
    const int count = int(vertices.size()) / kFloatsPerVertex;
    if (count == 0)
        return;
    GLint renderMode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    if (renderMode == GL_RENDER) {
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i < count; ++i) {
            const float* v = &vertices[std::size_t(i) * kFloatsPerVertex];
            glTexCoord2fv(v);
            glNormal3fv(v + 2);
            glVertex3fv(v + 5);
        }
        glEnd();
        return;
    }
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, vertices.data());
    glDrawArrays(GL_QUAD_STRIP, 0, count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    const float* last = &vertices[std::size_t(count - 1) * kFloatsPerVertex];
    glTexCoord2fv(last);
    glNormal3fv(last + 2);
}

} // namespace quelmarine
