#pragma once
// The whole aquarium scene without any window system: it initialises into and draws into
// whatever OpenGL context is current, so the program, the tests and the benchmark share it.

#include <GL/gl.h>

#include "tank/environment/BubbleEmitter.h"
#include "tank/environment/TerrainGrid.h"
#include "tank/fish/FishPopulation.h"
#include "tank/fish/FoodItem.h"
#include "tank/scene/BackdropSurface.h"
#include "tank/scene/BackdropView.h"
#include "tank/scene/OutlineFont.h"
#include "tank/scene/Picking.h"
#include "tank/scene/TankBox.h"

namespace quelmarine {

class Scene {
  public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The scene's part of the view's OpenGL initialisation, with the context current.
    // `screenWidth` and `screenHeight` are the physical pixel size of the screen.
    void InitOpenGL(int screenWidth, int screenHeight);
    // One frame into the current context: `viewportWidth` x `viewportHeight` device pixels.
    // The caller swaps buffers afterwards.
    void RenderFrame(int viewportWidth, int viewportHeight);

    // The window was resized: the projection and the tank box follow the new size.
    void Resize(int width, int height);

    // F1: shows a hidden help overlay and hides a visible one.
    void ToggleOverlay() { overlayVisible = !overlayVisible; }

    const TankBox& tank() const { return tankBox; }
    int screenWidth = 1680, screenHeight = 1050;
    bool overlayVisible = true;
    // The help overlay's clock and the glyphs it is written with.
    std::int32_t overlayFrames = 0;
    OutlineFont outlineFont;
    float cameraZOffset = -5.0f;
    GLuint backdropTexture = 0;
    // The user's current background picture, shown instead of `backdropTexture` while
    // `customImageActive` is set and it names a texture (0: none yet).
    GLuint customBackdropTexture = 0;
    // Read the settings without writing them (the screensaver never owns the settings file).
    // Set before InitOpenGL.
    bool readOnlySettings = false;
    BackdropSurface backdrop;
    // The three bubble streams, where each is drawn, and the terrain they are placed from.
    BubbleEmitter bubbleEmitters[3];
    EmitterOrigin emitterPositions[3];
    TerrainGrid terrain;
    // The 25 fish (the first sum-of-counts slots swim) and one skin per species.
    Fish fishPool[kFishPoolSize];
    GLuint speciesTexture[kFishSpecies] = {};
    // The 20 live food items and the one food picture they share.
    FoodItem food[kFoodItemCount];
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

  private:
    void SetUpFixedState();
    void LoadBuiltInTextures();
    void SetLight();
    void DrawBackgroundQuads(bool hidden);
    void DrawBackdropPass(const BackdropCamera& camera);
    bool BackdropDrawn() const;
    GLuint backdropTextureNow() const;
    void PlaceBubbleEmitters();
    void DrawBubbleEmitters();
    void PlaceFood();
    void DrawFoodPass();
    void RunMousePass();

    TankBox tankBox;
    // Level 0 of the built-in backdrop picture.
    GLint backdropTextureWidth = 0, backdropTextureHeight = 0;
};

} // namespace quelmarine
