#pragma once
// The built-in ambient sound: the packed "Music" loop played with QSoundEffect, endlessly, at
// the volume of the settings. The view calls Tick() after every frame.

#include <QSoundEffect>
#include <QString>
#include <memory>

#include "tank/sound/AmbientLoop.h"

namespace quelmarine {

class AmbientSound : public AmbientOutput {
  public:
    AmbientSound();
    ~AmbientSound() override;
    AmbientSound(const AmbientSound&) = delete;
    AmbientSound& operator=(const AmbientSound&) = delete;

    // The per-tick decision (start once when own music is off, stop while it is on).
    void Tick() { ambientSoundTick(*this); }

    void startAmbientSound() override;
    void stopAmbientSound() override;

    // For tests: the effect that plays the loop.
    const QSoundEffect& effect() const { return *player; }

  private:
    // Copies the unpacked WAV file into memory that outlives the file.
    bool keepInMemory(const std::string& wavPath);

    std::unique_ptr<QSoundEffect> player;
    int memoryFile = -1;
};

} // namespace quelmarine
