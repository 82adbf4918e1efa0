#pragma once
// The user's own background pictures: up to ten, each turned into a texture when it is added,
// and the 200 ms tick that picks the current one by mode and interval. No user interface here:
// the Custom Background dialog shows this state and forwards its controls' events to it, and
// the screensaver runs the same rule on the same saved list, so both show the same pictures.
//
// A row belongs to the user from the moment it is added or read from the settings file, whether
// its picture is still being read, ready, or could not be read: every save writes every row.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tank/environment/PictureTextures.h"
#include "tank/settings/ListSection.h"

namespace quelmarine {

inline constexpr std::int32_t kMaxPictures = 10;
// However short the interval the user types, the backdrop changes at most once a second by
// itself: a full-screen picture flickering several times a second is a hazard to some viewers.
inline constexpr std::int32_t kShortestIntervalSeconds = 1;

class BackgroundPictures {
  public:
    using Clock = std::chrono::steady_clock;

    explicit BackgroundPictures(PictureTextures& textureMaker);
    ~BackgroundPictures();
    BackgroundPictures(const BackgroundPictures&) = delete;
    BackgroundPictures& operator=(const BackgroundPictures&) = delete;

    enum class PictureState { Loading, Ready, Failed };
    struct Row {
        std::string path;
        bool on = false; // "State": "ON" for the current picture
        PictureState state = PictureState::Loading;
        std::int32_t texture = 0; // once Ready
        std::uint64_t ticket = 0; // names the texture being made for this row
        bool fromButton = false;  // added with "Add Image" (else read from the settings)
    };

    // "Add Image" with the chosen path: the row joins the list (and the file) at once and is
    // dropped again, with a message, if its picture cannot be read.
    void addPictureFromButton(const std::string& path);
    // A picture of the saved list: when it cannot be read, its row stays, marked, and the others
    // go on cycling.
    void addPicture(const std::string& path);
    void removeSelectedPicture(); // "Remove Image"
    void removeAll();             // "Remove All"
    void setOwnImage(bool on);    // the own-image switch clicked, with its new state
    void setMode(PlayMode mode);
    void setInterval(const std::string& text); // the interval box's text changed
    // A click on a row (`row` becomes the selection; -1 clears it).
    void clickRow(std::int32_t row);
    void select(std::int32_t row) { selected = row; }
    // One 200 ms tick.
    void timerTick();
    // Runs the ticks that are due by `now` (a few at most after a stall); the first call ticks
    // at once. Both programs drive the list this way.
    void advance(Clock::time_point now);

    std::int32_t pickPicture(std::int32_t row, bool fromClick);
    void startCycling();
    void stopCycling();

    // "Custom Images": loaded at start (from the settings file, or from a text already read);
    // saved after every change of the list, the switch, the mode or the interval, and when the
    // dialog is hidden.
    void loadSection();
    void loadSection(const IniDocument& document);
    void saveSection() const;

    const std::vector<Row>& rows() const { return pictures; }
    // The texture of a row whose picture is ready, else 0.
    std::int32_t texture(std::size_t row) const;
    std::int32_t currentTexture = 0;
    std::int32_t tickCounter = -1;
    std::int32_t selection() const { return selected; }
    bool isCycling() const { return cycling; }
    bool isOwnImage() const { return ownImage; }
    PlayMode playMode() const { return mode; }
    const std::string& interval() const { return intervalText; }
    // Pictures still being made.
    std::size_t pending() const;

    std::function<void()> changed;
    std::function<void(const std::string&)> showMessage;

  private:
    void enqueue(const std::string& path, bool fromButton);
    void pictureReady(std::uint64_t ticket, std::int32_t texture);
    // The rows whose pictures can be shown, in list order.
    std::vector<std::int32_t> readyRows() const;
    std::int32_t rowOfTexture(std::int32_t texture) const;
    void markOn(std::int32_t row);
    void releaseTexture(std::int32_t texture);
    void notify() const;
    void message(const std::string& text) const;

    PictureTextures& maker;
    std::vector<Row> pictures;
    std::int32_t selected = -1;
    bool cycling = false;
    bool ownImage = false;
    PlayMode mode = kRepeatOne;
    std::string intervalText = "5";
    std::uint64_t nextTicket = 1;
    bool ticking = false;
    Clock::time_point nextTick{};
    // Cleared when this object goes, so late textures are given back.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

// The texts of the list and its messages.
inline constexpr const char* kPictureOn = "ON";
inline constexpr const char* kPictureOff = "OFF";
inline constexpr const char* kPictureFailed = "ERROR";
inline constexpr const char* kTooManyPicturesMessage = "The maximum number of background is: ";
inline constexpr const char* kPictureErrorMessage = "image loading error.";
inline constexpr const char* kDefaultInterval = "5";

// "(path)image loading error."
std::string pictureErrorMessage(const std::string& path);

// The texture a frame shows instead of the built-in backdrop: the list's current picture while
// "Use your own image" is on (`customImageActive`) and a picture is ready; else 0.
unsigned shownUserBackdrop(std::int32_t currentTexture);

} // namespace quelmarine
