#pragma once
// One stream of rising bubble sprites: a pool of particles born below the tank floor that rise,
// speed up and are born again when they leave the water or die.

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
    // (the current OpenGL context receives it).
    bool Init(std::int32_t count) override;
    void Update() override;
    // Draws the first `count` particles at the current model-view position, then advances them.
    // A count below 0 draws and moves nothing; one above the pool is held to the pool.
    void Draw(std::int32_t count);
    // Everything Draw does except sending the quads (the same random numbers are drawn): the
    // start-up's warm-up steps, whose pictures the first frame would clear anyway.
    void WarmUp(std::int32_t count);

    // Births without the texture, for Init and for code that has no OpenGL context.
    bool InitParticles(std::int32_t count);
    void FirstBirth(Particle& p);
    void Rebirth(Particle& p);

  private:
    void LoadSprite();
    void Advance(std::int32_t count, bool render);
};

} // namespace quelmarine
