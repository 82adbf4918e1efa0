#include "tank/scene/TextOverlay.h"

#include <GL/gl.h>

#include "tank/scene/OutlineFont.h"
#include "tank/scene/ProductInfo.h"

namespace quelmarine {

namespace {

struct OverlayLine {
    const char* text;
    float x, y, z;
};

// Positions are relative to the eye position, the origin.
const OverlayLine kOverlayLines[] = {
    {"Quelmarine Fish 3D Screensaver 1.0", -5.5f, 4.0f, -60.0f},
    {"[Right Click]: Toolbar popup", -4.0f, 1.0f, -60.0f},
    {"[ESC]: Exit", -4.0f, 0.0f, -60.0f},
    {kProductWebSite, -4.0f, -2.0f, -60.0f},
};

} // namespace

bool stepOverlayClock(bool& overlayVisible, std::int32_t& frames) {
    if (overlayVisible)
        ++frames;
    if (frames > kOverlayFrames) {
        overlayVisible = false;
        frames = 0;
    }
    return overlayVisible;
}

void DrawOverlay(OutlineFont& font) {
    // The glyphs carry no texture coordinates: draw them plain white, whatever the last pass
    // left bound.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
    for (const OverlayLine& line : kOverlayLines) {
        glPushMatrix();
        glTranslatef(line.x, line.y, line.z);
        font.PrintText("%s", line.text);
        glPopMatrix();
    }
    glPopAttrib();
}

} // namespace quelmarine
