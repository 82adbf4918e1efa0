#pragma once
// One stream of rising bubble sprites: a pool of particles born below the tank floor that rise,
// speed up and are born again when they leave the water or die.

#include <string>

#include "tank/environment/ParticleSystem.h"

namespace quelmarine {

// Where an emitter stands in the tank.
struct EmitterOrigin {
    float x = 0, y = 0, z = 0;
};

// Every emitter holds this many particles.
inline constexpr std::int32_t kBubblePool = 110;

// How many particles each emitter draws for the bubble setting: 110 − `bubbleCount`, with the
// setting held within 0 … 110 whatever the settings file says.
std::int32_t bubbleDrawCount(std::int32_t bubbleCount);

class BubbleEmitter : public ParticleSystem {
  public:
    // Allocates the pool, gives every particle its first birth and loads the sprite texture
    // (unpacked in `assetFolder`; the current OpenGL context receives it).
    bool Init(std::int32_t count, const std::string& assetFolder);
    // The sprite texture alone.
    void LoadSprite(const std::string& assetFolder);
    void Update() override;
    // One step of the first `count` particles: each is shown where it is with a new tremble,
    // then all of them advance. A count below 0 shows and moves nothing; one above the pool is
    // held to the pool.
    void Step(std::int32_t count);
    // The particles as the last step showed them, at the current model-view position.
    void Draw() const;

    // Births without the texture, for Init and for code that has no OpenGL context.
    bool InitParticles(std::int32_t count);
    void FirstBirth(Particle& p);
    void Rebirth(Particle& p);

  private:
    // One sprite as a step shows it.
    struct Sprite {
        float x, y, z, size;
        float red, green, blue;
    };

    std::unique_ptr<Sprite[]> shown;
    std::int32_t shownCount = 0;
};

} // namespace quelmarine
