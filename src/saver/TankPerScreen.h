#pragma once
// The tank on every screen of quelmarine-saver: one scene per monitor (each has its own tank
// box, fitted to its size, and its own step clock), all in the one context. A monitor that goes
// leaves its scene for the next one that comes, so scenes and their textures are made at most
// once per monitor shown at the same time.

#include "saver/SaverScreens.h"
#include "tank/scene/Scene.h"
#include "tank/scene/StepClock.h"

#include <map>
#include <memory>
#include <vector>

namespace quelmarine::saver {

class TankPerScreen {
  public:
    using Clock = std::chrono::steady_clock;

    // Gives every surface there is now a scene (making one, with the surface current, when no
    // spare is left) and puts those of surfaces that went aside. The surfaces that have one.
    std::vector<ScreenSurface> follow(SaverScreens& screens);
    // The scene of the surface (follow() made it).
    Scene& scene(std::uint32_t id) { return *tanks.at(id).scene; }
    // The steps due on the surface's clock at `now`.
    int stepsDue(std::uint32_t id, Clock::time_point now) {
        return tanks.at(id).clock.stepsDue(now);
    }

  private:
    struct Tank {
        std::unique_ptr<Scene> scene;
        StepClock clock;
        int width = 0, height = 0;
    };
    std::map<std::uint32_t, Tank> tanks;
    std::vector<std::unique_ptr<Scene>> spares;
};

} // namespace quelmarine::saver
