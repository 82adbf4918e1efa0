#pragma once
// "Custom Music": the user's play list, its switch, modes, Play and Stop, and the volume. The
// play list's logic is MusicPlaylist; this dialog shows it and passes the controls' events on.

#include <memory>

#include "desktop/dialogs/ListDialog.h"
#include "desktop/sound/MciPlayer.h"
#include "tank/sound/MusicPlaylist.h"

class QPushButton;
class QSlider;

namespace quelmarine {

class CustomListCtrl;

class CustomMusicDialog : public ListDialog {
    Q_OBJECT
  public:
    // Control ids.
    enum : int {
        kOnOff = 1011,
        kList = 1016,
        kAddMusic = 1017,
        kRemove = 1018,
        kRemoveAll = 1019,
        kPlay = 1021,
        kStop = 1022,
        kRepeatOne = 1023,
        kRepeatAll = 1024,
        kRandom = 1025,
        kVolume = 1007,
        kPosition = 1006,
    };

    // Created hidden; loads "Custom Settings" (and may start playing).
    explicit CustomMusicDialog(QWidget* owner);
    ~CustomMusicDialog() override;

    MusicPlaylist& playlist() { return list; }
    MciPlayer& player() { return mci; }
    // Adds `path` as "Add Music" does after its file dialog.
    void addMusicFile(const QString& path);

  protected:
    void modeChosen(PlayMode mode) override { list.setMode(mode); }
    void tick() override;
    void saveOnHide() override { list.saveSection(); }

  private:
    void refresh();
    void saveVolume();

    MciPlayer mci;
    MusicPlaylist list{mci};
    ImageCheckBox* onOff = nullptr;
    CustomListCtrl* rows = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* removeAllButton = nullptr;
    QPushButton* playButton = nullptr;
    QSlider* volume = nullptr;
    QSlider* position = nullptr;
    bool refreshing = false;
};

inline constexpr const char* kMusicCaption = "Custom Music - Quelmarine Fish 3D Screensaver 1.0";
// The file dialog's filter as "Add Music" shows it.
inline constexpr const char* kMusicFilter = "Music (*.mp3;*.wav;*.mpeg)";

} // namespace quelmarine
