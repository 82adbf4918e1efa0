#pragma once
// The selection-mode set-up shared by the world-point picks and the fish pick.

#include <GL/gl.h>
#include <GL/glu.h>

namespace quelmarine {

inline constexpr int kSelectBufferSize = 512;

// Runs `draw` in selection mode with a `regionSize` square pick region around the mouse and
// the 45-degree pick projection; true when it produced a hit. Both matrices are restored.
template <typename Draw>
bool hitsUnderMouse(int mouseX, int mouseY, double regionSize, Draw&& draw) {
    GLuint selectBuffer[kSelectBufferSize];
    glPushMatrix();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(kSelectBufferSize, selectBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(mouseX, viewport[3] - mouseY, regionSize, regionSize, viewport);
    const double aspect = viewport[3] > 0 ? double(viewport[2]) / viewport[3] : 1.0;
    gluPerspective(45.0, aspect, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    glPopMatrix();
    return hits > 0;
}

} // namespace quelmarine
