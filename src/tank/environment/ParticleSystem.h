#pragma once
// A fixed pool of particles; each call handles the first `activeCount` of them.

#include <GL/gl.h>
#include <cstdint>
#include <memory>

namespace quelmarine {

struct Particle {
    float x, y, z;
    float vx, vy, vz;
    float ax, ay, az;
    float life;
    float fade;
    float size;
    float red, green, blue;
};

class ParticleSystem {
  public:
    ParticleSystem() = default;
    virtual ~ParticleSystem() = default;
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Allocates `count` particles (position, velocity and acceleration zero) and makes them all
    // active. False when the pool cannot be had.
    bool Init(std::int32_t count);
    // Advances the active particles by one frame.
    virtual void Update() = 0;

    void setColored(bool flag) { colored = flag; }
    bool isColored() const { return colored; }
    std::int32_t poolSize() const { return pool; }
    Particle& particle(int i) { return particles[i]; }
    const Particle& particle(int i) const { return particles[i]; }
    GLuint spriteTexture() const { return texture; }

    // The number of particles handled per call; never more than the pool holds.
    std::int32_t activeCount = 0;

  protected:
    std::unique_ptr<Particle[]> particles;
    std::int32_t pool = 0;
    bool colored = true;
    GLuint texture = 0;
};

} // namespace quelmarine
