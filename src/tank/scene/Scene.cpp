#include "tank/scene/Scene.h"

#include "res/ResourceIds.h"
#include "tank/assets/PackedAssets.h"
#include "tank/assets/TextureLoader.h"
#include "tank/scene/Camera.h"
#include "tank/scene/OutlineFont.h"
#include "tank/scene/TextOverlay.h"

namespace quelmarine {

namespace {
// What a scene reads before it is given the host's settings: all zero, as a new record is.
const AquariumSettingsRecord kNoSettings{};
} // namespace

Scene::Scene() : settingsRecord(&kNoSettings) {}
Scene::~Scene() = default;

void Scene::SetUpFixedState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Light 1: ambient and diffuse are rewritten from the light dimming every frame; the
    // position is given once, under an identity model-view matrix, so the light stays fixed to
    // the camera.
    const GLfloat lightAmbient[4] = {1, 1, 1, 1};
    const GLfloat lightDiffuse[4] = {1, 1, 1, 1};
    const GLfloat lightPosition[4] = {1000, -1000, 1000, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_BLEND);
}

void Scene::LoadBuiltInTextures(const std::string& assetFolder) {
    withPackedAsset(assetFolder, kResourceBackdrop, kResourceBackdropFile,
                    [&](const std::string& path) { loadMipmappedTexture(path, backdropTexture); });
    glBindTexture(GL_TEXTURE_2D, backdropTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &backdropTextureWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &backdropTextureHeight);
    LoadSpeciesTextures(assetFolder, speciesTexture);
    for (BubbleEmitter& emitter : bubbleEmitters)
        emitter.LoadSprite(assetFolder);
    // One food picture for all items, loaded once: dropping an item never loads it again.
    foodTexture = LoadFoodPicture(assetFolder);
}

void Scene::InitOpenGL(const AquariumSettingsRecord& settings, int width, int height,
                       const std::string& assetFolder) {
    // The glyphs are made now only for a help text that shows from the start; else the first
    // time anything is written.
    if (overlayVisible)
        outlineFont.BuildOnce();
    SetUpFixedState();
    LoadBuiltInTextures(assetFolder);
    Place(settings, width, height);

    glFogi(GL_FOG_MODE, GL_EXP);
    const GLfloat fogColour[4] = {1, 1, 1, 1};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, -10.0f);
    glFogf(GL_FOG_END, 100.0f);
    glEnable(GL_FOG);
}

void Scene::SetLight() {
    const float v = float(100 - settings().lightDim) * 0.01f;
    const GLfloat light[4] = {v, v, v, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, light);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light);
    glEnable(GL_LIGHTING);
}

void Scene::DrawBackgroundQuads(bool hidden) {
    if (settings().backFixed == 0)
        return;
    if (hidden) {
        // Only what drawing the quad would have left behind.
        glColor3ub(255, 255, 255);
        glEnable(GL_TEXTURE_2D);
        return;
    }
    const auto colour = static_cast<unsigned>(settings().backColor);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(GLubyte(colour & 0xFF), GLubyte((colour >> 8) & 0xFF),
               GLubyte((colour >> 16) & 0xFF));
    const float z = 3 * tankBox.tankBack;
    glBegin(GL_QUADS);
    glVertex3f(2 * tankBox.tankLeft, 3 * tankBox.tankBottom, z);
    glVertex3f(2 * tankBox.tankRight, 3 * tankBox.tankBottom, z);
    glVertex3f(2 * tankBox.tankRight, 3 * tankBox.tankTop, z);
    glVertex3f(2 * tankBox.tankLeft, 3 * tankBox.tankTop, z);
    glEnd();
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
}

bool Scene::BackdropDrawn() const {
    return showsBackdrop(settings()) && settings().showTerra != 0;
}

void Scene::DrawBackdropPass(const BackdropCamera& camera, GLuint texture) {
    if (!BackdropDrawn())
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    if (texture == backdropTexture && texture != 0) {
        // Where one texel covers more than about 0.7 pixels the mipmapped filter reads level 0
        // only, exactly as plain linear filtering does; plain filtering skips the level choice.
        constexpr double kMagnifiedEnough = 0.8;
        lastShortcuts.backdropMagnified =
            leaveOutHiddenWork && backdropPixelsPerTexel(backdrop, camera, backdropTextureWidth,
                                                         backdropTextureHeight) >= kMagnifiedEnough;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        lastShortcuts.backdropMagnified ? GL_LINEAR : kMipmappedMinFilter);
    }
    backdrop.DrawBackdrop();
    glPopMatrix();
}

void Scene::Place(const AquariumSettingsRecord& settings, int width, int height) {
    settingsRecord = &settings;
    screenWidth = width;
    screenHeight = height;
    tankBox = ComputeTankBox(width, height);
    backdrop.BuildBackdropPoints(tankBox, settings.background);
    terrain.Build(std::int32_t(tankBox.tankRight - tankBox.tankLeft),
                  -std::int32_t(tankBox.tankBack), 1);
    PlaceBubbleEmitters();
    PlaceAllFish(fishPool, tankBox.tankTop, tankBox.tankBottom);
    picking.PlaceGrid(tankBox);
    for (FoodItem& item : food)
        item.Init(foodTexture);
}

void Scene::PlaceBubbleEmitters() {
    // Behind and below the terrain's reference vertex, at three depths; warmed up so that the
    // streams are spread out on the first frame.
    constexpr float kDepthOffsets[3] = {100, 200, 50};
    constexpr int kWarmUpSteps = 110;
    const TerrainVertex& t = terrain.referenceVertex();
    const std::int32_t count = bubbleDrawCount(settings().bubbleCount);
    for (int k = 0; k < 3; ++k) {
        emitterPositions[k] = {t.x, tankBox.tankBottom - t.y - 5,
                               t.z + tankBox.tankBack - kDepthOffsets[k]};
        bubbleEmitters[k].InitParticles(kBubblePool);
        bubbleEmitters[k].setColored(false);
        for (int step = 0; step < kWarmUpSteps; ++step)
            bubbleEmitters[k].Step(count);
    }
}

void Scene::DrawBubbleEmitters() {
    for (int k = 0; k < 3; ++k) {
        const EmitterOrigin& o = emitterPositions[k];
        glPushMatrix();
        glTranslatef(o.x + 5, o.y - 25, o.z - 60);
        bubbleEmitters[k].Draw();
        glPopMatrix();
    }
}

void Scene::RenderFrame(int viewportWidth, int viewportHeight, GLuint userBackdrop, int steps) {
    // The help text counts the frames it is drawn on, however many steps they take, so that
    // it can be read on a slow machine too.
    overlayShown = stepOverlayClock(overlayVisible, overlayFrames);
    for (int step = 0; step < steps; ++step)
        Step();
    Draw(viewportWidth, viewportHeight, userBackdrop);
    RunMousePass();
    glFinish();
}

void Scene::Step() {
    FoodTarget foodTargets[kFoodItemCount];
    FillFoodTargets(food, foodTargets);
    StepFishPass(fishPool, settings().fishCount, mouse.mode == kModeFeedFish, foodTargets);
    EatMarkedFood(food, foodTargets);
    if (BackdropDrawn())
        backdrop.BuildBackdropPoints(tankBox, settings().background);
    const std::int32_t bubbles = bubbleDrawCount(settings().bubbleCount);
    for (BubbleEmitter& emitter : bubbleEmitters)
        emitter.Step(bubbles);
    StepFood();
}

void Scene::Draw(int viewportWidth, int viewportHeight, GLuint userBackdrop) {
    SetProjectionAndCamera(screenWidth, screenHeight, cameraZOffset);
    glViewport(0, 0, viewportWidth, viewportHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (overlayShown) {
        outlineFont.BuildOnce();
        DrawOverlay(outlineFont);
    }
    SetLight();
    const BackdropCamera camera{frustumFor(screenWidth, screenHeight), cameraEyeZ(cameraZOffset),
                                viewportWidth, viewportHeight};
    lastShortcuts = {};
    if (leaveOutHiddenWork && BackdropDrawn())
        lastShortcuts.colourQuadLeftOut = backdropCoversViewport(backdrop, camera, 2.0);
    DrawBackgroundQuads(lastShortcuts.colourQuadLeftOut);
    DrawFishPass(fishPool, settings().fishCount, speciesTexture);
    DrawBackdropPass(camera, userBackdrop != 0 ? userBackdrop : backdropTexture);
    glPushMatrix();
    glDisable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    DrawBubbleEmitters();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    DrawFoodPass();
}

void Scene::StepFood() {
    for (FoodItem& item : food)
        if (item.active)
            item.Step(foodFlaps);
}

void Scene::DrawFoodPass() {
    for (const FoodItem& item : food)
        if (item.active)
            item.Draw();
}

void Scene::RunMousePass() {
    if (mouse.mode == kModeFeedFish)
        picking.FeedingPass(mouse, tankBox, food);
    else if (isFishPickingMode(mouse.mode))
        picking.FishPickingPass(mouse, fishPool, fishInUse(settings().fishCount));
}

// Additions for hosts whose window changes size, and for the user's own background pictures.

void Scene::Resize(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    screenWidth = width;
    screenHeight = height;
    tankBox = ComputeTankBox(width, height);
    picking.PlaceGrid(tankBox);
}

} // namespace quelmarine
