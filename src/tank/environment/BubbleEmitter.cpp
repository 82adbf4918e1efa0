#include "tank/environment/BubbleEmitter.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "res/ResourceIds.h"
#include "tank/assets/PackedAssets.h"
#include "tank/assets/TextureLoader.h"

namespace quelmarine {

namespace {

// The single-precision number one step below 1/1200: the upward pull per frame.
constexpr float kRise = 0.00083333329f;
constexpr float kStartLife = 200.0f;
constexpr float kTop = 130.0f, kBottom = -25.0f;

int roll(int range) {
    return std::rand() % range;
}

void giveLife(Particle& p) {
    p.ax = 0;
    p.ay = kRise;
    p.az = 0;
    p.life = kStartLife;
    p.fade = float(roll(50)) * 0.05f;
}

void giveColour(Particle& p) {
    p.red = float(roll(255));
    p.green = float(roll(255));
    p.blue = float(roll(255));
}

} // namespace

std::int32_t bubbleDrawCount(std::int32_t bubbleCount) {
    return kBubblePool - std::clamp(bubbleCount, 0, kBubblePool);
}

void BubbleEmitter::FirstBirth(Particle& p) {
    p.x = float(roll(200) - 100);
    p.y = float(roll(9)) * 0.005f - 1.0f;
    p.z = float(roll(6)) * 0.005f;
    const int left = roll(9000);
    p.vx = float(left - roll(9000)) * 0.000007f;
    p.vy = float(roll(9000)) * 0.000042f * 0.33333334f;
    p.vz = float(roll(9000)) * 0.000001f;
    giveLife(p);
    p.size = float(roll(20) + 2) * 0.1f;
    giveColour(p);
}

void BubbleEmitter::Rebirth(Particle& p) {
    p.x = float(roll(200) - 100);
    p.y = float(roll(9)) * 0.005f - 1.0f;
    p.z = float(roll(9000)) * 0.000001f;
    const int left = roll(9000);
    p.vx = float(left - roll(9000)) * 0.000007f;
    p.vy = float(roll(9000)) * 0.000042f;
    p.vz = float(roll(90000)) * 0.000001f;
    giveLife(p);
    giveColour(p);
}

bool BubbleEmitter::InitParticles(std::int32_t count) {
    if (!ParticleSystem::Init(count))
        return false;
    shown.reset(new (std::nothrow) Sprite[std::size_t(count)]());
    shownCount = 0;
    if (!shown)
        return false;
    for (std::int32_t i = 0; i < pool; ++i)
        FirstBirth(particles[i]);
    return true;
}

void BubbleEmitter::LoadSprite(const std::string& assetFolder) {
    withPackedAsset(assetFolder, kResourceBubbleSprite, kResourceBubbleSpriteFile,
                    [&](const std::string& path) { loadTexture(path, texture); });
}

bool BubbleEmitter::Init(std::int32_t count, const std::string& assetFolder) {
    if (!InitParticles(count))
        return false;
    LoadSprite(assetFolder);
    return true;
}

void BubbleEmitter::Update() {
    const std::int32_t n = std::clamp(activeCount, 0, pool);
    for (std::int32_t i = 0; i < n; ++i) {
        Particle& p = particles[i];
        p.x += p.vx;
        p.y += p.vy;
        p.z += p.vz;
        p.vy += p.ay;
        p.life -= p.fade;
        if (p.y <= kBottom || p.y >= kTop || p.life <= 0)
            Rebirth(p);
    }
}

void BubbleEmitter::Step(std::int32_t count) {
    activeCount = std::clamp(count, 0, pool);
    for (std::int32_t i = 0; i < activeCount; ++i) {
        const Particle& p = particles[i];
        // A new tremble every frame.
        const float jx = float(roll(20)) * 0.01f;
        const float jz = float(roll(20)) * 0.01f;
        shown[i] = {p.x + jx, p.y, p.z + jz, p.size, p.red, p.green, p.blue};
    }
    shownCount = activeCount;
    Update();
}

void BubbleEmitter::Draw() const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (std::int32_t i = 0; i < shownCount; ++i) {
        const Sprite& p = shown[i];
        const float s = p.size;
        if (colored)
            glColor3ub(GLubyte(p.red), GLubyte(p.green), GLubyte(p.blue));
        glTexCoord2f(0, 0);
        glVertex3f(p.x - s, p.y - s, p.z);
        glTexCoord2f(1, 0);
        glVertex3f(p.x - s, p.y + s, p.z);
        glTexCoord2f(1, 1);
        glVertex3f(p.x + s, p.y + s, p.z);
        glTexCoord2f(0, 1);
        glVertex3f(p.x + s, p.y - s, p.z);
    }
    glEnd();
    if (colored)
        glColor3ub(255, 255, 255);
}

} // namespace quelmarine
