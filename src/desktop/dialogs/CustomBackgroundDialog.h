#pragma once
// "Custom Background": up to ten of the user's pictures shown in turn instead of the built-in
// backdrop. The list's logic is BackgroundPictures; this dialog shows it and passes the
// controls' events on. Pictures become textures through the given maker.

#include "desktop/dialogs/ListDialog.h"
#include "tank/environment/BackgroundPictures.h"

class QLineEdit;
class QTreeWidget;

namespace quelmarine {

class CustomBackgroundDialog : public ListDialog {
    Q_OBJECT
  public:
    // Control ids.
    enum : int {
        kOwnImage = 1014,
        kList = 1015,
        kRepeatOne = 1023,
        kRepeatAll = 1024,
        kRandom = 1025,
        kInterval = 1019,
        kAddImage = 1008,
        kRemoveImage = 1011,
        kRemoveAll = 1012,
    };

    // Created hidden; loads "Custom Images" (its pictures arrive as they are decoded).
    CustomBackgroundDialog(QWidget* owner, PictureTextures& textureMaker);
    ~CustomBackgroundDialog() override;

    BackgroundPictures& pictures() { return list; }
    // The picture the backdrop shows now: a texture name, or 0 for the built-in backdrop.
    unsigned backdropTexture() const;
    // Adds `path` as "Add Image" does after its file dialog.
    void addImageFile(const QString& path);

  protected:
    void modeChosen(PlayMode mode) override { list.setMode(mode); }
    void tick() override { list.advance(BackgroundPictures::Clock::now()); }
    void saveOnHide() override { list.saveSection(); }

  private:
    void refresh();

    BackgroundPictures list;
    ImageCheckBox* ownImage = nullptr;
    QTreeWidget* rows = nullptr;
    QLineEdit* interval = nullptr;
    bool refreshing = false;
};

inline constexpr const char* kBackgroundCaption =
    "Custom Background - Quelmarine Fish 3D Screensaver 1.0";
// The file dialog's filter as "Add Image" shows it.
inline constexpr const char* kPictureFilter = "Pictures (*.jpg;*.bmp;*.png)";

} // namespace quelmarine
