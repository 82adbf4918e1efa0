#include "tank/environment/ParticleSystem.h"

#include <new>

namespace quelmarine {

bool ParticleSystem::Init(std::int32_t count) {
    if (count < 0)
        return false;
    particles.reset(new (std::nothrow) Particle[std::size_t(count)]());
    if (!particles) {
        pool = activeCount = 0;
        return false;
    }
    pool = activeCount = count;
    return true;
}

} // namespace quelmarine
