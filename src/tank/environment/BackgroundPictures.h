#pragma once
// The user's own background pictures: up to ten, each turned into a texture when it is added,
// and the 200 ms tick that picks the current one by mode and interval. No user interface here:
// the Custom Background dialog shows this state and forwards its controls' events to it.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tank/environment/PictureTextures.h"
#include "tank/settings/ListSection.h"

namespace quelmarine {

inline constexpr std::int32_t kMaxPictures = 10;

class BackgroundPictures {
  public:
    explicit BackgroundPictures(PictureTextures& textureMaker);
    ~BackgroundPictures();
    BackgroundPictures(const BackgroundPictures&) = delete;
    BackgroundPictures& operator=(const BackgroundPictures&) = delete;

    struct Row {
        std::string path;
        bool on = false; // "State": "ON" for the current picture, else "OFF"
    };

    // "Add Image" with the chosen path. The row (or the error message) comes when the picture
    // is ready; rows always keep the order in which pictures were added.
    void addPictureFromButton(const std::string& path);
    void addPicture(const std::string& path);
    void removeSelectedPicture(); // "Remove Image"
    void removeAll();             // "Remove All"
    void setOwnImage(bool on);    // the own-image switch clicked, with its new state
    void setMode(PlayMode mode);
    void setInterval(const std::string& text); // the interval box's text changed
    // A click on a row (`row` becomes the selection; -1 clears it).
    void clickRow(std::int32_t row);
    void select(std::int32_t row) { selected = row; }
    // Every 200 ms, shown or hidden.
    void timerTick();

    std::int32_t pickPicture(std::int32_t row, bool fromClick);
    void startCycling();
    void stopCycling();

    // "Custom Images": loaded at start; saved after every change of the list, the switch, the
    // mode or the interval, and when the dialog is hidden.
    void loadSection();
    void saveSection() const;

    const std::vector<Row>& rows() const { return pictures; }
    std::int32_t texture(std::size_t row) const { return textures[row]; }
    std::int32_t currentTexture = 0;
    std::int32_t tickCounter = -1;
    std::int32_t selection() const { return selected; }
    bool isCycling() const { return cycling; }
    bool isOwnImage() const { return ownImage; }
    PlayMode playMode() const { return mode; }
    const std::string& interval() const { return intervalText; }
    // Pictures still being made.
    std::size_t pending() const { return waiting.size(); }

    std::function<void()> changed;
    std::function<void(const std::string&)> showMessage;

  private:
    struct Waiting {
        std::uint64_t ticket;
        std::string path;
        bool fromButton;
        bool ready = false;
        std::int32_t texture = 0;
    };
    void enqueue(const std::string& path, bool fromButton);
    void pictureReady(std::uint64_t ticket, std::int32_t texture);
    void finishPicture(const Waiting& picture);
    void markOn(std::int32_t row);
    void releaseTexture(std::int32_t texture);
    void notify() const;
    void message(const std::string& text) const;

    PictureTextures& maker;
    std::vector<Row> pictures;
    std::int32_t textures[kMaxPictures] = {};
    std::int32_t selected = -1;
    bool cycling = false;
    bool ownImage = false;
    PlayMode mode = kRepeatOne;
    std::string intervalText = "5";
    std::deque<Waiting> waiting;
    std::uint64_t nextTicket = 1;
    // Pictures of the saved list still to come; cycling starts when the last has come.
    std::size_t loadingSaved = 0;
    // Cleared when this object goes, so late textures are dropped.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

// The texts of the list and its messages.
inline constexpr const char* kPictureOn = "ON";
inline constexpr const char* kPictureOff = "OFF";
inline constexpr const char* kTooManyPicturesMessage = "The maximum number of background is: ";
inline constexpr const char* kPictureErrorMessage = "image loading error.";
inline constexpr const char* kDefaultInterval = "5";

} // namespace quelmarine
