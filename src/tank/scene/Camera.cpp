#include "tank/scene/Camera.h"

#include "tank/scene/TankBox.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace quelmarine {

namespace {
constexpr float eyePosition[3] = {0, 0, 0};
}

void SetProjectionAndCamera(int screenWidth, int screenHeight, float cameraZOffset) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const Frustum f = frustumFor(screenWidth, screenHeight);
    glFrustum(f.left, f.right, f.bottom, f.top, f.nearPlane, f.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eyePosition[0], eyePosition[1], cameraEyeZ(cameraZOffset), 0, 0, -500, 0, 1, 0);
}

double cameraEyeZ(float cameraZOffset) {
    return eyePosition[2] + cameraZOffset - 5;
}

} // namespace quelmarine
