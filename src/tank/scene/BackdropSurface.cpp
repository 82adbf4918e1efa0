#include "tank/scene/BackdropSurface.h"

#include <GL/gl.h>

#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

namespace {
constexpr float kSwayStep = 0.008f;
constexpr double kBackdropDepth = -90.0;
} // namespace

Point3d BezierQuintic(double t, const Point3d (&p)[6]) {
    const double u = 1.0 - t;
    const double w[6] = {t * t * t * t * t,      5 * t * t * t * t * u, 10 * t * t * t * u * u,
                         10 * t * t * u * u * u, 5 * t * u * u * u * u, u * u * u * u * u};
    Point3d out;
    for (int i = 0; i < 6; ++i) {
        out.x += w[i] * p[i].x;
        out.y += w[i] * p[i].y;
        out.z += w[i] * p[i].z;
    }
    return out;
}

void BackdropSurface::BuildBackdropPoints(const TankBox& tank, int background) {
    if (background == kBackgroundShowsBackdrop || background == 2) {
        backdropSway += backdropSwayUp ? kSwayStep : -kSwayStep;
        if (backdropSway > 1.0f)
            backdropSwayUp = false;
        if (backdropSway < -0.5f)
            backdropSwayUp = true;
    }
    backdropDivisions = 2;
    const float step = (tank.tankRight - tank.tankLeft) * 0.2f;
    for (int r = 0; r < kRows; ++r) {
        for (int k = 0; k < kColumns; ++k) {
            Point3d& p = backdropPoints[r][k];
            const float x = tank.tankLeft + float(k) * step;
            p.y = double(kRowHeights[r]);
            if (r < 2) { // the swaying top rows
                p.x = double(x + backdropSway);
                p.z = k % 2 == 0 ? double(backdropSway - 90.0f) : double(-90.0f - backdropSway);
            } else {
                p.x = double(x);
                p.z = kBackdropDepth;
            }
        }
    }
}

Point3d BackdropSurface::GridPoint(int u, int v) const {
    const int d = backdropDivisions;
    Point3d q[kRows];
    for (int r = 0; r < kRows; ++r)
        q[r] = BezierQuintic(double(u) / d, backdropPoints[r]);
    return BezierQuintic(double(v) / d, q);
}

void BackdropSurface::DrawBackdrop() const {
    const int d = backdropDivisions;
    if (d < 1 || d > 64)
        return;
    Point3d column[kRows];
    for (int r = 0; r < kRows; ++r)
        column[r] = backdropPoints[r][kColumns - 1];
    Point3d edge[65];
    for (int v = 0; v <= d; ++v)
        edge[v] = BezierQuintic(double(v) / d, column);
    for (int u = 1; u <= d; ++u) {
        Point3d q[kRows];
        for (int r = 0; r < kRows; ++r)
            q[r] = BezierQuintic(double(u) / d, backdropPoints[r]);
        glBegin(GL_TRIANGLE_STRIP);
        for (int v = 0; v <= d; ++v) {
            glTexCoord2d(double(u - 1) / d, double(v) / d);
            glVertex3d(edge[v].x, edge[v].y, edge[v].z);
            edge[v] = BezierQuintic(double(v) / d, q);
            glTexCoord2d(double(u) / d, double(v) / d);
            glVertex3d(edge[v].x, edge[v].y, edge[v].z);
        }
        glEnd();
    }
}

} // namespace quelmarine
