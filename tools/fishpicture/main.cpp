// Draws the Fish Settings picture: along the top, the five species side by side, one in each
// 100 x 90 cell, seen from the side and facing right on calm water; below, a still of the tank
// as the program shows it. Rendered by the tank library itself, so the fish are the real mesh
// in the real skins.
//
// Usage: quelmarine_fishpicture <output folder>
// Writes <folder>/bitmaps/<id>.bmp (500 x 512, uncompressed: it opens at once) and
// <folder>/bitmaps/<id>@2x.bmp (1000 x 1024, for HiDPI screens). Renders at twice the size and
// scales down for the first.

#include "OffscreenEgl.h"
#include "res/ResourceIds.h"
#include "tank/ProcessState.h"
#include "tank/fish/FishPopulation.h"
#include "tank/platform/Folders.h"
#include "tank/scene/Scene.h"
#include "tank/settings/SettingsLoad.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quelmarine;

namespace {

constexpr int kWidth = 500, kHeight = 512;
constexpr int kScale = 2;
// The band of cells along the top: cell i spans x 100 i + 2 ... + 100, y 2 ... 92.
constexpr int kCellLeft = 2, kCellTop = 2, kCellWidth = 100, kCellHeight = 90;
constexpr int kBandHeight = kCellTop + kCellHeight;
// Swimming frames before the still is taken, so the fish have spread and turned.
constexpr int kSettleFrames = 180;
constexpr std::int32_t kStillCounts[kFishSpecies] = {4, 4, 4, 4, 4};

// The GL viewport of a box given in picture pixels (top-left origin).
void viewportFor(int left, int top, int width, int height) {
    const int y = (kHeight - top - height) * kScale;
    glViewport(left * kScale, y, width * kScale, height * kScale);
    glScissor(left * kScale, y, width * kScale, height * kScale);
}

// Calm water behind a species: light at the top (where its count is written), deeper below,
// with a few soft light bands.
void drawCellWater() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glBegin(GL_QUADS);
    glColor3ub(62, 138, 176);
    glVertex2f(0, 0);
    glVertex2f(1, 0);
    glColor3ub(198, 236, 246);
    glVertex2f(1, 1);
    glVertex2f(0, 1);
    glEnd();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    // Each ray is brightest along its middle and fades to nothing at its sides and foot.
    const float rays[][2] = {{0.22f, 0.16f}, {0.62f, 0.12f}};
    for (const auto& ray : rays) {
        const float left = ray[0], middle = ray[0] + ray[1] / 2, right = ray[0] + ray[1];
        glBegin(GL_TRIANGLE_STRIP);
        glColor4f(1, 1, 1, 0);
        glVertex2f(left, 1);
        glVertex2f(left - 0.3f, 0);
        glColor4f(1, 1, 1, 0.09f);
        glVertex2f(middle, 1);
        glColor4f(1, 1, 1, 0);
        glVertex2f(middle - 0.3f, 0);
        glVertex2f(right, 1);
        glVertex2f(right - 0.3f, 0);
        glEnd();
    }
    // A sandy floor along the bottom.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glColor4ub(214, 196, 140, 255);
    glVertex2f(0, 0);
    glVertex2f(1, 0);
    glColor4ub(214, 196, 140, 0);
    glVertex2f(1, 0.16f);
    glVertex2f(0, 0.16f);
    glEnd();
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
}

// One fish of `species` from the side, facing right, centred a little right of and below the
// cell's middle (the count sits at its top-left).
void drawSpeciesPortrait(GLuint skin) {
    Fish fish;
    fish.SetBounds(-50, 50, 11, -15, -80, -60);
    fish.targetHeading = fish.heading = fish.turnTarget = 180.0f;
    fish.turnReached = fish.turnSettled = true;
    for (int& yaw : fish.segmentYaw)
        yaw = int(fish.heading);
    fish.targetPitch = fish.pitch = 0;
    fish.mouthShut = true;
    FishPose pose;
    for (int step = 0; step < 12; ++step)
        fish.ComputePose(pose); // into a gentle swimming curve

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30, double(kCellWidth) / kCellHeight, 0.5, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 12.5, 0, 0, 0, 0, 1, 0);
    const GLfloat ambient[4] = {0.62f, 0.62f, 0.62f, 1}, diffuse[4] = {0.55f, 0.55f, 0.55f, 1};
    const GLfloat position[4] = {-3, 6, 10, 0};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, skin);
    glColor3f(1, 1, 1);
    glTranslatef(0.3f, -0.35f, 0);
    glRotatef(-90, 1, 0, 0);
    fish.DrawMesh(pose);
}

// The picture as rendered, at twice its size.
QImage readPicture() {
    const int w = kWidth * kScale, h = kHeight * kScale;
    std::vector<unsigned char> pixels(std::size_t(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = &pixels[std::size_t(h - 1 - y) * w * 4];
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(row[4 * x], row[4 * x + 1], row[4 * x + 2]));
    }
    return image;
}

// A private scratch folder for the settings file and the unpacked assets the scene reads.
struct Scratch {
    std::string path;
    Scratch() {
        char name[] = "/tmp/quelmarine-picture-XXXXXX";
        if (mkdtemp(name))
            path = name;
    }
    ~Scratch() {
        if (!path.empty())
            QDir(QString::fromStdString(path)).removeRecursively();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + "/bitmaps";
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    Scratch scratch;
    if (scratch.path.empty() || !QDir().mkpath(QString::fromStdString(scratch.path + "/runtime")) ||
        !QFile::setPermissions(QString::fromStdString(scratch.path + "/runtime"),
                               QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }
    setenv("XDG_CONFIG_HOME", (scratch.path + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (scratch.path + "/runtime").c_str(), 1);

    OffscreenEgl gl(kWidth * kScale, kHeight * kScale);
    if (!gl.ok()) {
        std::fprintf(stderr, "no off-screen OpenGL context\n");
        return 1;
    }

    // The tank still, below the band.
    const int stillHeight = kHeight - kBandHeight;
    Scene scene;
    scene.overlayVisible = false;
    loadSettingsAtStartup();
    scene.InitOpenGL(AquariumSettings, kWidth * kScale, stillHeight * kScale,
                     privateRuntimeFolder());
    for (int i = 0; i < kFishSpecies; ++i)
        AquariumSettings.fishCount[i] = kStillCounts[i];
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, kWidth * kScale, stillHeight * kScale);
    for (int frame = 0; frame < kSettleFrames; ++frame)
        scene.RenderFrame(kWidth * kScale, stillHeight * kScale);

    // The band: a dark frame round five cells of calm water, a fish in each.
    glScissor(0, stillHeight * kScale, kWidth * kScale, kBandHeight * kScale);
    glClearColor(0.05f, 0.13f, 0.22f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int species = 0; species < kFishSpecies; ++species) {
        viewportFor(kCellLeft + kCellWidth * species, kCellTop, kCellWidth - 2, kCellHeight - 2);
        glClear(GL_DEPTH_BUFFER_BIT);
        drawCellWater();
        drawSpeciesPortrait(scene.speciesTexture[species]);
    }
    glFinish();

    // At its size, and at twice its size for HiDPI screens ("<id>@2x.bmp").
    const QImage rendered = readPicture();
    const QImage pictures[] = {
        rendered.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
        rendered};
    const QString names[] = {QString("%1/%2.bmp").arg(folder).arg(kResourceFishPicture),
                             QString("%1/%2@2x.bmp").arg(folder).arg(kResourceFishPicture)};
    for (int i = 0; i < 2; ++i) {
        if (!pictures[i].save(names[i], "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(names[i]));
            return 1;
        }
    }
    return 0;
}
