#include "tank/scene/Picking.h"

#include <algorithm>

#include "tank/fish/FishRules.h"

namespace quelmarine {

namespace {
constexpr float kColumnSpacing = 0.990099f; // 100 / 101
constexpr float kGridDepth = -70;
constexpr float kSwayStep = 0.5f;
constexpr float kSwayReach = 5;
constexpr double kStripRegion = 15;
constexpr double kFishRegion = 20;
} // namespace

namespace {
// One quad from a vertex array: the strips are drawn in selection mode, where Mesa's llvmpipe
// keeps every vertex buffer that glBegin/glEnd vertices went through (see GlStripSink).
void drawQuad(const GLfloat (&corners)[12]) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glDrawArrays(GL_QUADS, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
}
} // namespace

void drawColumnStrip() {
    static const GLfloat corners[12] = {-0.5f, -30, 1, 0.5f, -30, 1, 0.5f, 30, 1, -0.5f, 30, 1};
    drawQuad(corners);
}

void drawRowStrip() {
    static const GLfloat corners[12] = {-90, -0.5f, 1, 90, -0.5f, 1, 90, 0.5f, 1, -90, 0.5f, 1};
    drawQuad(corners);
}

void Picking::PlaceGrid(const TankBox& tank) {
    const int height = int(tank.tankTop - tank.tankBottom);
    for (int k = 0; k < kPickColumnCount; ++k)
        pickColumns[k] = {tank.tankLeft + float(k) * kColumnSpacing, 0, kGridDepth};
    for (int k = 0; k < kPickRowCount; ++k)
        pickRows[k] = {0, tank.tankBottom + float(k) * float(height) * 0.02f, kGridDepth};
}

float Picking::PickWorldX(int mouseX, int mouseY) {
    for (const PickPoint& column : pickColumns) {
        const bool hit = hitsUnderMouse(mouseX, mouseY, kStripRegion, [&] {
            glTranslatef(column.x, column.y, column.z);
            drawColumnStrip();
        });
        if (hit)
            return column.x;
    }
    return 0.0f;
}

float Picking::PickWorldY(int mouseX, int mouseY) {
    for (const PickPoint& row : pickRows) {
        const bool hit = hitsUnderMouse(mouseX, mouseY, kStripRegion, [&] {
            glTranslatef(row.x, row.y, row.z);
            drawRowStrip();
        });
        if (hit)
            return row.y;
    }
    return 0.0f;
}

void Picking::SwayGrid(const TankBox& tank) {
    // The columns travel between about 5 units left and 5 units right of where they started,
    // half a unit per frame; the rows likewise up and down.
    const float x0 = pickColumns[0].x;
    float dx;
    if (tank.tankLeft - kSwayReach > x0) {
        gridSwayX = true;
        dx = kSwayStep;
    } else if (tank.tankLeft + kSwayReach < x0) {
        gridSwayX = false;
        dx = -kSwayStep;
    } else {
        dx = gridSwayX ? kSwayStep : -kSwayStep;
    }
    for (PickPoint& column : pickColumns)
        column.x += dx;

    const float y0 = pickRows[0].y;
    float dy;
    if (tank.tankBottom - kSwayReach > y0) {
        gridSwayY = true;
        dy = kSwayStep;
    } else if (tank.tankBottom + kSwayReach < y0) {
        gridSwayY = false;
        dy = -kSwayStep;
    } else {
        dy = gridSwayY ? kSwayStep : -kSwayStep;
    }
    for (PickPoint& row : pickRows)
        row.y += dy;
}

void Picking::FeedingPass(MouseState& mouse, const TankBox& tank, std::span<FoodItem> food) {
    glColor4f(1, 1, 1, 0);
    SwayGrid(tank);
    if (mouse.feedPending) {
        const float x = PickWorldX(mouse.mouseX, mouse.mouseY);
        const float y = PickWorldY(mouse.mouseX, mouse.mouseY);
        if (!haveClickX && x >= tank.tankLeft && x <= tank.tankRight) {
            clickX = x;
            haveClickX = true;
        }
        if (!haveClickY && y >= tank.tankBottom && y <= tank.tankTop) {
            clickY = y;
            haveClickY = true;
        }
    }
    if (mouse.feedPending && haveClickX && haveClickY) {
        mouse.feedPending = false;
        haveClickX = haveClickY = false;
        DropFood(food, clickX, clickY - 2, kGridDepth);
    }
    glColor4f(1, 1, 1, 0);
}

int Picking::FishPickingPass(MouseState& mouse, std::span<Fish> fish, int fishInUse) {
    // A press acts once, at the first frame after it, however long the button is held and
    // however soon it is released.
    if (!mouse.pickPending)
        return -1;
    mouse.pickPending = false;
    const int n = std::clamp(fishInUse, 0, int(fish.size()));
    for (int i = 0; i < n; ++i) {
        Fish& f = fish[i];
        const bool hit = hitsUnderMouse(mouse.mouseX, mouse.mouseY, kFishRegion, [&] {
            glTranslatef(f.x, f.y, f.z);
            f.Step();
            f.Draw();
        });
        if (!hit)
            continue;
        switch (mouse.mode) {
        case kModeTouchFish:
            TouchResponse(f);
            break;
        case kModeZoomInFish:
            ZoomResponse(f, true);
            break;
        case kModeZoomOutFish:
            ZoomResponse(f, false);
            break;
        default:
            break;
        }
        return i;
    }
    return -1;
}

} // namespace quelmarine
