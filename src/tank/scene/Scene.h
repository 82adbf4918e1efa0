#pragma once
// The whole aquarium scene without any window system: it initialises into and draws into
// whatever OpenGL context is current, so the program, the tests and the benchmark share it.
// A frame steps everything, then draws everything. The host hands in what the scene reads: the
// settings record and the screen size at start, the user's backdrop picture every frame.

#include <GL/gl.h>
#include <string>

#include "tank/environment/BubbleEmitter.h"
#include "tank/environment/TerrainGrid.h"
#include "tank/fish/FishPopulation.h"
#include "tank/fish/FoodItem.h"
#include "tank/scene/BackdropSurface.h"
#include "tank/scene/BackdropView.h"
#include "tank/scene/OutlineFont.h"
#include "tank/scene/Picking.h"
#include "tank/scene/TankBox.h"
#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

class Scene {
  public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The scene's part of the view's OpenGL initialisation, with the context current.
    // `settings` is read every frame, so later changes to it show; it must outlive the scene.
    // `screenWidth` and `screenHeight` are the physical pixel size of the screen; the built-in
    // pictures are unpacked in `assetFolder` (ending in '/'; empty: none can be, and the fish
    // swim without their skins).
    void InitOpenGL(const AquariumSettingsRecord& settings, int screenWidth, int screenHeight,
                    const std::string& assetFolder);
    // One frame into the current context: `viewportWidth` x `viewportHeight` device pixels,
    // showing the texture `userBackdrop` instead of the built-in backdrop when it is not 0.
    // `steps` steps (see StepClock), Draw, then the mouse's pass. The caller swaps buffers
    // afterwards.
    void RenderFrame(int viewportWidth, int viewportHeight, GLuint userBackdrop = 0, int steps = 1);
    // The part of InitOpenGL that needs no OpenGL: the tank box, the terrain, the bubbles, the
    // fish and the food in their places (the same random numbers in the same order). A scene
    // placed alone steps as the program's does.
    void Place(const AquariumSettingsRecord& settings, int screenWidth, int screenHeight);
    // Everything that moves, one step on (no OpenGL call).
    void Step();
    // Everything as the last step left it.
    void Draw(int viewportWidth, int viewportHeight, GLuint userBackdrop);

    // The window was resized: the projection and the tank box follow the new size.
    void Resize(int width, int height);

    // F1: shows a hidden help overlay and hides a visible one.
    void ToggleOverlay() { overlayVisible = !overlayVisible; }

    const TankBox& tank() const { return tankBox; }
    int screenWidth = 1680, screenHeight = 1050;
    bool overlayVisible = true;
    // The help overlay's clock (in drawn frames), whether this frame shows it, and the glyphs
    // it is written with.
    std::int32_t overlayFrames = 0;
    bool overlayShown = false;
    OutlineFont outlineFont;
    float cameraZOffset = -5.0f;
    GLuint backdropTexture = 0;
    BackdropSurface backdrop;
    // The three bubble streams, where each is drawn, and the terrain they are placed from.
    BubbleEmitter bubbleEmitters[3];
    EmitterOrigin emitterPositions[3];
    TerrainGrid terrain;
    // The 25 fish (the first sum-of-counts slots swim) and one skin per species.
    Fish fishPool[kFishPoolSize];
    GLuint speciesTexture[kFishSpecies] = {};
    // The 20 live food items, the flap generators and the one food picture they share.
    FoodItem food[kFoodItemCount];
    FoodFlapStates foodFlaps;
    GLuint foodTexture = 0;
    // The mouse as the window recorded it (mode, press, position in viewport pixels), and the
    // picking grid and passes that act on it at the end of each frame.
    MouseState mouse;
    Picking picking;

    // Work the last frame left out because it could not show (the picture is the same either
    // way): the colour quad hidden behind a backdrop that covers the viewport, and mipmap
    // selection for a built-in backdrop that is magnified everywhere. `leaveOutHiddenWork`
    // switches both off, for comparisons.
    struct Shortcuts {
        bool colourQuadLeftOut = false;
        bool backdropMagnified = false;
    };
    Shortcuts lastShortcuts;
    bool leaveOutHiddenWork = true;

    const AquariumSettingsRecord& settings() const { return *settingsRecord; }

  private:
    void SetUpFixedState();
    void LoadBuiltInTextures(const std::string& assetFolder);
    void SetLight();
    void DrawBackgroundQuads(bool hidden);
    void DrawBackdropPass(const BackdropCamera& camera, GLuint texture);
    bool BackdropDrawn() const;
    void PlaceBubbleEmitters();
    void DrawBubbleEmitters();
    void StepFood();
    void DrawFoodPass();
    void RunMousePass();

    const AquariumSettingsRecord* settingsRecord;
    TankBox tankBox;
    // Level 0 of the built-in backdrop picture.
    GLint backdropTextureWidth = 0, backdropTextureHeight = 0;
};

} // namespace quelmarine
