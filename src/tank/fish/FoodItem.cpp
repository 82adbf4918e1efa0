#include "tank/fish/FoodItem.h"

#include <cstdlib>

#include "res/ResourceIds.h"
#include "tank/assets/PackedAssets.h"
#include "tank/assets/TextureLoader.h"

namespace quelmarine {

namespace {
constexpr float kFoodScale = 0.15f;
} // namespace

FoodItem::FoodItem() {
    basePos[0] = float(std::rand() % 60 - 30);
    basePos[1] = float(std::rand() % 30 - 15);
    basePos[2] = -70;
}

GLuint LoadFoodPicture(const std::string& assetFolder) {
    GLuint picture = 0;
    withPackedAsset(assetFolder, kResourceFoodPicture, kResourceFoodPictureFile,
                    [&](const std::string& path) { loadTexture(path, picture); });
    return picture;
}

void FoodItem::Init(GLuint picture) {
    alive = 1.0f;
    worldPos[0] = worldPos[1] = worldPos[2] = 0;
    texture = picture;
    fish.SetBounds(-50, 50, 11, -15, -80, -60);
}

void FoodItem::Drop(float x, float y, float z) {
    basePos[0] = x;
    basePos[1] = y;
    basePos[2] = z;
    Init(texture);
}

void FoodItem::Step(FoodFlapStates& flaps) {
    if (int(alive) == 0) {
        active = false;
        return;
    }
    shownPos = {basePos[0] + fish.x, basePos[1] + fish.y, basePos[2] + fish.z};
    fish.Step(flaps);
    worldPos[0] = basePos[0] + fish.x;
    worldPos[1] = basePos[1] + fish.y;
    worldPos[2] = basePos[2] + fish.z;
}

void FoodItem::Draw() const {
    glPushMatrix();
    glTranslatef(shownPos.x, shownPos.y, shownPos.z);
    glScalef(kFoodScale, kFoodScale, kFoodScale);
    glBindTexture(GL_TEXTURE_2D, texture);
    fish.Draw();
    glPopMatrix();
}

void FoodItem::Eat() {
    alive = 0;
    fish.x = fish.y = fish.z = 0;
}

bool DropFood(std::span<FoodItem> food, float x, float y, float z) {
    for (FoodItem& item : food) {
        if (!item.active) {
            item.Drop(x, y, z);
            item.active = true;
            return true;
        }
    }
    return false;
}

void FillFoodTargets(std::span<const FoodItem> food, std::span<FoodTarget> targets) {
    for (std::size_t i = 0; i < food.size() && i < targets.size(); ++i) {
        const FoodItem& item = food[i];
        targets[i] = {item.worldPos[0], item.worldPos[1], item.worldPos[2],
                      item.active,      item.alive > 0,   false};
    }
}

void EatMarkedFood(std::span<FoodItem> food, std::span<const FoodTarget> targets) {
    for (std::size_t i = 0; i < food.size() && i < targets.size(); ++i)
        if (targets[i].eaten)
            food[i].Eat();
}

} // namespace quelmarine
