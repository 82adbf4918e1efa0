#include "saver/FpsOverlay.h"

#include "tank/scene/OutlineFont.h"

#include <GL/gl.h>

namespace quelmarine::saver {

namespace {
constexpr float kTextPixels = 18.0f, kMarginPixels = 10.0f;
}

void FrameRateCounter::frameShown(Clock::time_point now) {
    if (!started) {
        started = true;
        windowStart = now;
        framesInWindow = 0;
        return;
    }
    ++framesInWindow;
    const double seconds = std::chrono::duration<double>(now - windowStart).count();
    if (seconds >= 1.0) {
        lastRate = framesInWindow / seconds;
        windowStart = now;
        framesInWindow = 0;
    }
}

void DrawFrameRate(OutlineFont& font, double rate, int width, int height) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(kMarginPixels, kMarginPixels, 0);
    glScalef(kTextPixels, kTextPixels, 1);
    glColor3ub(255, 255, 0);
    font.PrintText("FPS: %.1f", rate);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

} // namespace quelmarine::saver
