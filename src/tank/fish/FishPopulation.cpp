#include "tank/fish/FishPopulation.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "res/ResourceIds.h"
#include "tank/assets/PackedAssets.h"
#include "tank/assets/TextureLoader.h"

namespace quelmarine {

namespace {
// One skin a species, in species order.
struct SkinAsset {
    std::uint16_t id;
    const char* file;
};
constexpr SkinAsset kSkins[kFishSpecies] = {{kResourceFishSkin0, kResourceFishSkin0File},
                                            {kResourceFishSkin1, kResourceFishSkin1File},
                                            {kResourceFishSkin2, kResourceFishSkin2File},
                                            {kResourceFishSkin3, kResourceFishSkin3File},
                                            {kResourceFishSkin4, kResourceFishSkin4File}};
constexpr int kPlacementDraws = 14;
} // namespace

int fishInUse(const std::int32_t counts[kFishSpecies]) {
    long total = 0;
    for (int j = 0; j < kFishSpecies; ++j)
        total += std::max<std::int32_t>(counts[j], 0);
    return int(std::min<long>(total, kFishPoolSize));
}

int speciesOfSlot(const std::int32_t counts[kFishSpecies], int slot) {
    if (slot < 0 || slot >= fishInUse(counts))
        return -1;
    long start = 0;
    for (int j = 0; j < kFishSpecies; ++j) {
        const long end = start + std::max<std::int32_t>(counts[j], 0);
        if (slot >= start && slot < end)
            return j;
        start = end;
    }
    return -1;
}

void LoadSpeciesTextures(const std::string& assetFolder, GLuint textures[kFishSpecies]) {
    for (int i = 0; i < kFishSpecies; ++i)
        withPackedAsset(assetFolder, kSkins[i].id, kSkins[i].file,
                        [&](const std::string& path) { loadTexture(path, textures[i]); });
}

void PlaceAllFish(std::span<Fish> pool, float tankTop, float tankBottom) {
    for (Fish& fish : pool) {
        int draws[kPlacementDraws];
        for (int& d : draws)
            d = std::rand();
        fish.x = float(draws[4] % 100 - 50);
        fish.y = float(draws[5] % 30 - 15);
        fish.z = float(draws[6] % 20 - 80);
        fish.SetBounds(-50, 50, tankTop - 10, tankBottom + 6, -80, -60);
    }
}

void StepFishPass(std::span<Fish> pool, const std::int32_t counts[kFishSpecies], bool feedMode,
                  std::span<FoodTarget> food) {
    const int total = std::min(fishInUse(counts), int(pool.size()));
    for (int i = 0; i < total; ++i) {
        pool[i].Step();
        if (feedMode)
            FeedSteer(pool, i, food);
        EatCheck(pool, i, food);
        Crowd(pool, i);
    }
}

void DrawFishPass(std::span<const Fish> pool, const std::int32_t counts[kFishSpecies],
                  const GLuint textures[kFishSpecies]) {
    const int total = std::min(fishInUse(counts), int(pool.size()));
    for (int i = 0; i < total; ++i) {
        const Fish& fish = pool[i];
        glPushMatrix();
        glTranslatef(fish.shown.position.x, fish.shown.position.y, fish.shown.position.z);
        glBindTexture(GL_TEXTURE_2D, textures[speciesOfSlot(counts, i)]);
        fish.Draw();
        glPopMatrix();
    }
}

} // namespace quelmarine
