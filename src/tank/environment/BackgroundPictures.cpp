#include "tank/environment/BackgroundPictures.h"

#include <algorithm>
#include <cstdlib>

#include "tank/ProcessState.h"
#include "tank/settings/IniFile.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

namespace quelmarine {

namespace {
constexpr auto kTick = std::chrono::milliseconds(kListTickMs);
// A timer that fires a little early still gets its tick.
constexpr auto kTickSlack = std::chrono::milliseconds(5);
// After a stall, at most this many ticks run at once.
constexpr int kMostTicksAtOnce = 3;
} // namespace

std::string pictureErrorMessage(const std::string& path) {
    return "(" + path + ")" + kPictureErrorMessage;
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

std::int32_t BackgroundPictures::texture(std::size_t row) const {
    return row < pictures.size() && pictures[row].state == PictureState::Ready
               ? pictures[row].texture
               : 0;
}

std::size_t BackgroundPictures::pending() const {
    return std::size_t(std::count_if(pictures.begin(), pictures.end(), [](const Row& row) {
        return row.state == PictureState::Loading;
    }));
}

void BackgroundPictures::addPictureFromButton(const std::string& path) {
    enqueue(path, true);
}

void BackgroundPictures::addPicture(const std::string& path) {
    enqueue(path, false);
}

void BackgroundPictures::enqueue(const std::string& path, bool fromButton) {
    const std::size_t count = pictures.size();
    if (count >= std::size_t(kMaxPictures)) {
        message(kTooManyPicturesMessage + std::to_string(count));
        return;
    }
    if (fromButton && !fitsOneIniLine(path)) {
        // The settings file could not keep it: refused before anything is read.
        message(pictureErrorMessage(path));
        return;
    }
    const std::uint64_t ticket = nextTicket++;
    pictures.push_back({path, false, PictureState::Loading, 0, ticket, fromButton});
    if (fromButton)
        saveSection();
    notify();
    std::weak_ptr<bool> stillAlive = alive;
    PictureTextures* textures = &maker;
    textures->load(path, [this, stillAlive, textures, ticket](std::int32_t texture) {
        if (auto a = stillAlive.lock(); a && *a)
            pictureReady(ticket, texture);
        else if (texture > 0)
            textures->release(texture); // nobody is left to show it
    });
}

void BackgroundPictures::pictureReady(std::uint64_t ticket, std::int32_t texture) {
    auto it = std::find_if(pictures.begin(), pictures.end(),
                           [ticket](const Row& row) { return row.ticket == ticket; });
    if (it == pictures.end() || it->state != PictureState::Loading) { // removed meanwhile
        releaseTexture(texture);
        return;
    }
    if (texture > 0) {
        it->state = PictureState::Ready;
        it->texture = texture;
        // The first picture starts cycling when the switch is already on, and a picture that
        // comes while nothing is shown shows at the next tick.
        if (ownImage && !cycling)
            startCycling();
        else if (cycling && currentTexture <= 0)
            tickCounter = -1;
    } else if (it->fromButton) {
        // "Add Image" did not add it after all.
        const std::string path = it->path;
        const std::int32_t row = std::int32_t(it - pictures.begin());
        pictures.erase(it);
        if (selected == row)
            selected = -1;
        else if (selected > row)
            --selected;
        message(pictureErrorMessage(path));
        saveSection();
    } else {
        // A saved picture stays the user's: its row is marked and the others go on cycling.
        it->state = PictureState::Failed;
        it->on = false;
        message(pictureErrorMessage(it->path));
    }
    notify();
}

std::vector<std::int32_t> BackgroundPictures::readyRows() const {
    std::vector<std::int32_t> rows;
    for (std::size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i].state == PictureState::Ready)
            rows.push_back(std::int32_t(i));
    return rows;
}

std::int32_t BackgroundPictures::rowOfTexture(std::int32_t texture) const {
    for (std::size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i].state == PictureState::Ready && pictures[i].texture == texture)
            return std::int32_t(i);
    return -1;
}

void BackgroundPictures::removeSelectedPicture() {
    const std::int32_t count = std::int32_t(pictures.size());
    if (selected >= 0 && selected < count) {
        releaseTexture(texture(std::size_t(selected)));
        pictures.erase(pictures.begin() + selected);
        selected = -1;
    }
    if (pictures.empty()) {
        currentTexture = 0;
    } else {
        const std::vector<std::int32_t> ready = readyRows();
        currentTexture = ready.empty() ? -1 : pickPicture(ready.front(), true);
    }
    saveSection();
    notify();
}

void BackgroundPictures::removeAll() {
    for (std::size_t row = 0; row < pictures.size(); ++row)
        releaseTexture(texture(row));
    pictures.clear(); // pictures still being made are given back when they come
    selected = -1;
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
    // A row whose picture is not ready is only selected.
    if (pictures[std::size_t(selected)].state == PictureState::Ready)
        currentTexture = pickPicture(selected, true);
    notify();
}

std::int32_t BackgroundPictures::pickPicture(std::int32_t row, bool fromClick) {
    const std::vector<std::int32_t> ready = readyRows();
    const std::int32_t count = std::int32_t(ready.size());
    if (count == 0 || !cycling)
        return -1;
    if (fromClick) {
        markOn(row);
        return texture(std::size_t(row));
    }
    switch (mode) {
    case kRepeatOne:
        // -1 (nothing to show when the list was empty) counts as no picture, like 0.
        return currentTexture > 0 && rowOfTexture(currentTexture) >= 0
                   ? currentTexture
                   : pictures[std::size_t(ready.front())].texture;
    case kRepeatAll: {
        const std::int32_t row = rowOfTexture(currentTexture);
        std::int32_t i = 0;
        while (i < count && ready[std::size_t(i)] != row)
            ++i;
        return pictures[std::size_t(ready[std::size_t((i + 1) % count)])].texture;
    }
    default:
        return pictures[std::size_t(ready[std::size_t(std::rand() % count)])].texture;
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
    const std::int64_t interval =
        std::max<std::int64_t>(parseAtoi(intervalText), kShortestIntervalSeconds);
    if (tickCounter != 0 && tickCounter * std::int64_t(kListTickMs) < interval * 1000)
        return;
    currentTexture = pickPicture(0, false);
    tickCounter = 0;
    if (currentTexture != 0) {
        const std::int32_t row = rowOfTexture(currentTexture);
        if (row >= 0)
            markOn(row);
    }
    notify();
}

void BackgroundPictures::advance(Clock::time_point now) {
    if (!ticking) {
        ticking = true;
        nextTick = now;
    }
    for (int due = 0; now + kTickSlack >= nextTick && due < kMostTicksAtOnce; ++due) {
        timerTick();
        nextTick += kTick;
    }
    if (now >= nextTick)
        nextTick = now + kTick; // a long stall never turns into a burst of switches
}

void BackgroundPictures::loadSection() {
    loadSection(loadIniFile(settingsFilePath()).document);
}

void BackgroundPictures::loadSection(const IniDocument& document) {
    // As "Remove Image" on the still empty list: no textures, no current picture.
    selected = -1;
    currentTexture = 0;
    const ListSection saved = readListSection(document, kCustomImagesKeys, kMaxPictures);
    mode = saved.mode;
    ownImage = saved.on;
    intervalText = document.read(kCustomImagesSection, kImageTimeKey);
    if (intervalText.empty())
        intervalText = kDefaultInterval;
    for (const std::string& path : saved.paths)
        addPicture(path);
    if (ownImage && !pictures.empty())
        startCycling();
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

unsigned shownUserBackdrop(std::int32_t currentTexture) {
    return customImageActive && currentTexture > 0 ? unsigned(currentTexture) : 0u;
}

} // namespace quelmarine
