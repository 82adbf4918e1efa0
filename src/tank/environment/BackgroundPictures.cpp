#include "tank/environment/BackgroundPictures.h"

#include <algorithm>
#include <cstdlib>

#include "tank/ProcessState.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

namespace quelmarine {

namespace {
constexpr std::int64_t kTickMs = 200;
}

BackgroundPictures::BackgroundPictures(PictureTextures& textureMaker) : maker(textureMaker) {}

BackgroundPictures::~BackgroundPictures() {
    *alive = false;
}

// A removed picture's texture goes back at once: pictures added and removed over hours of
// running would otherwise pile up in memory.
void BackgroundPictures::releaseTexture(std::int32_t texture) {
    if (texture > 0)
        maker.release(texture);
}

void BackgroundPictures::notify() const {
    if (changed)
        changed();
}

void BackgroundPictures::message(const std::string& text) const {
    if (showMessage)
        showMessage(text);
}

void BackgroundPictures::addPictureFromButton(const std::string& path) {
    enqueue(path, true);
}

void BackgroundPictures::addPicture(const std::string& path) {
    enqueue(path, false);
}

void BackgroundPictures::enqueue(const std::string& path, bool fromButton) {
    const std::size_t count = pictures.size() + waiting.size();
    if (count >= std::size_t(kMaxPictures)) {
        message(kTooManyPicturesMessage + std::to_string(count));
        if (!fromButton)
            finishPicture({0, path, false, true, -1}); // counts as done, without a message
        return;
    }
    const std::uint64_t ticket = nextTicket++;
    waiting.push_back({ticket, path, fromButton});
    if (!fitsOneIniLine(path)) {
        pictureReady(ticket, 0);
        return;
    }
    std::weak_ptr<bool> stillAlive = alive;
    maker.load(path, [this, stillAlive, ticket](std::int32_t texture) {
        if (auto a = stillAlive.lock(); a && *a)
            pictureReady(ticket, texture);
    });
}

void BackgroundPictures::pictureReady(std::uint64_t ticket, std::int32_t texture) {
    auto it = std::find_if(waiting.begin(), waiting.end(),
                           [ticket](const Waiting& w) { return w.ticket == ticket; });
    if (it == waiting.end()) { // the list was emptied meanwhile
        releaseTexture(texture);
        return;
    }
    it->ready = true;
    it->texture = texture;
    while (!waiting.empty() && waiting.front().ready) {
        const Waiting done = waiting.front();
        waiting.pop_front();
        finishPicture(done);
    }
}

// The end of addPicture, in the order the pictures were added. A texture of -1 marks a saved
// picture that was refused before it was made (its message is already shown).
void BackgroundPictures::finishPicture(const Waiting& picture) {
    if (picture.texture > 0) {
        textures[pictures.size()] = picture.texture;
        pictures.push_back({picture.path, false});
        if (picture.fromButton)
            saveSection();
        // The first picture starts cycling when the switch is already on.
        if (pictures.size() == 1 && ownImage)
            startCycling();
    } else if (picture.texture == 0) {
        message("(" + picture.path + ")" + kPictureErrorMessage);
        stopCycling();
    }
    if (!picture.fromButton && loadingSaved > 0 && --loadingSaved == 0 && ownImage &&
        !pictures.empty() && !cycling)
        startCycling();
    notify();
}

void BackgroundPictures::removeSelectedPicture() {
    const std::int32_t count = std::int32_t(pictures.size());
    if (selected >= 0 && selected < count) {
        releaseTexture(textures[selected]);
        pictures.erase(pictures.begin() + selected);
        std::copy(textures + selected + 1, textures + count, textures + selected);
        textures[count - 1] = 0;
        selected = -1;
    }
    if (pictures.empty()) {
        std::fill(std::begin(textures), std::end(textures), 0);
        currentTexture = 0;
    } else {
        currentTexture = pickPicture(0, true);
    }
    saveSection();
    notify();
}

void BackgroundPictures::removeAll() {
    for (std::size_t row = 0; row < pictures.size(); ++row)
        releaseTexture(textures[row]);
    pictures.clear();
    waiting.clear();
    loadingSaved = 0;
    selected = -1;
    std::fill(std::begin(textures), std::end(textures), 0);
    currentTexture = 0;
    saveSection();
    notify();
}

void BackgroundPictures::setOwnImage(bool on) {
    ownImage = on;
    if (on)
        startCycling();
    else if (cycling)
        stopCycling();
    saveSection();
    notify();
}

void BackgroundPictures::setMode(PlayMode newMode) {
    mode = newMode;
    saveSection();
    notify();
}

void BackgroundPictures::setInterval(const std::string& text) {
    if (text == intervalText)
        return;
    intervalText = text;
    saveSection();
}

void BackgroundPictures::clickRow(std::int32_t row) {
    selected = row >= 0 && row < std::int32_t(pictures.size()) ? row : -1;
    if (selected < 0)
        return;
    currentTexture = pickPicture(selected, true);
    notify();
}

std::int32_t BackgroundPictures::pickPicture(std::int32_t row, bool fromClick) {
    const std::int32_t count = std::int32_t(pictures.size());
    if (count == 0 || !cycling)
        return -1;
    if (fromClick) {
        markOn(row);
        return textures[row];
    }
    switch (mode) {
    case kRepeatOne:
        // -1 (nothing to show when the list was empty) counts as no picture, like 0.
        return currentTexture > 0 ? currentTexture : textures[0];
    case kRepeatAll: {
        std::int32_t i = 0;
        while (i < count && textures[i] != currentTexture)
            ++i;
        return textures[(i + 1) % count];
    }
    default:
        return textures[std::rand() % count];
    }
}

void BackgroundPictures::markOn(std::int32_t row) {
    for (std::size_t i = 0; i < pictures.size(); ++i)
        pictures[i].on = std::int32_t(i) == row;
}

void BackgroundPictures::startCycling() {
    cycling = true;
    tickCounter = -1;
}

void BackgroundPictures::stopCycling() {
    markOn(-1);
    cycling = false;
}

void BackgroundPictures::timerTick() {
    customImageActive = ownImage;
    if (!cycling)
        return;
    tickCounter += 1;
    const std::int64_t interval = parseAtoi(intervalText);
    if (tickCounter != 0 && tickCounter * kTickMs < interval * 1000)
        return;
    currentTexture = pickPicture(0, false);
    tickCounter = 0;
    if (currentTexture != 0) {
        const std::int32_t count = std::int32_t(pictures.size());
        for (std::int32_t i = 0; i < count; ++i) {
            if (textures[i] == currentTexture) {
                markOn(i);
                break;
            }
        }
    }
    notify();
}

void BackgroundPictures::loadSection() {
    // As "Remove Image" on the still empty list: no textures, no current picture.
    selected = -1;
    std::fill(std::begin(textures), std::end(textures), 0);
    currentTexture = 0;
    const ListSection saved = readListSection(kCustomImagesKeys, std::size_t(kMaxPictures));
    mode = saved.mode;
    ownImage = saved.on;
    intervalText = readIniString(kCustomImagesSection, kImageTimeKey);
    if (intervalText.empty())
        intervalText = kDefaultInterval;
    loadingSaved = saved.paths.size();
    for (const std::string& path : saved.paths)
        addPicture(path);
    notify();
}

void BackgroundPictures::saveSection() const {
    ListSection list{mode, ownImage, {}};
    for (const Row& row : pictures)
        list.paths.push_back(row.path);
    updateSettingsFile([&](IniDocument& document) {
        writeListSection(document, kCustomImagesKeys, list, kImageTimeKey, intervalText);
    });
}

} // namespace quelmarine
