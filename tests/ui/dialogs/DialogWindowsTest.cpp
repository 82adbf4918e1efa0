// The dialogs as a window manager sees them: no minimise or maximise button, the two list
// dialogs side by side, the file dialogs' filters named.
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cstdio>

#include "desktop/dialogs/CustomBackgroundDialog.h"
#include "desktop/dialogs/CustomMusicDialog.h"
#include "desktop/dialogs/FishSettingsDialog.h"
#include "tank/settings/SettingsFile.h"

namespace quelmarine {
namespace {

struct NoTextures : PictureTextures {
    void load(const std::string&, std::function<void(std::int32_t)> done) override { done(1); }
    void release(std::int32_t) override {}
};

class DialogWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::remove(settingsFilePath().c_str());
        owner.setGeometry(0, 0, 1280, 1024);
    }
    QWidget owner;
    NoTextures textures;
};

TEST_F(DialogWindowsTest, NoDialogOffersToMinimiseOrMaximise) {
    CustomMusicDialog music(&owner);
    CustomBackgroundDialog background(&owner, textures);
    FishSettingsDialog fish(&owner);
    for (QWidget* dialog : {static_cast<QWidget*>(&music), static_cast<QWidget*>(&background),
                            static_cast<QWidget*>(&fish)}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog) << dialog->windowTitle().toStdString();
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "no buttons added by default";
    }
}

TEST_F(DialogWindowsTest, TheSecondListDialogOpensBesideTheFirst) {
    CustomMusicDialog music(&owner);
    CustomBackgroundDialog background(&owner, textures);
    for (int round = 0; round < 2; ++round) {
        // Music first, then the background; then the other way round.
        ListDialog* first = round == 0 ? static_cast<ListDialog*>(&music) : &background;
        ListDialog* second = round == 0 ? static_cast<ListDialog*>(&background) : &music;
        first->showCentredOver(&owner);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
        second->showCentredOver(&owner);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !first->frameGeometry().intersects(second->frameGeometry()); }, 2000))
            << "round " << round;
        const QRect screen = owner.screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(first->frameGeometry()));
        EXPECT_TRUE(screen.contains(second->frameGeometry()));
        music.hide();
        background.hide();
    }
    // Alone, a dialog opens centred over the tank.
    music.showCentredOver(&owner);
    EXPECT_LE(std::abs(music.geometry().center().x() - owner.geometry().center().x()), 1);
    music.hide();
}

// The filter the file dialog behind the dialog's add button shows, read while it is open.
QString shownFilter(QWidget& dialog, int addButtonId) {
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!files)
            return;
        if (auto* combo = files->findChild<QComboBox*>("fileTypeCombo"))
            shown = combo->currentText();
        files->reject();
    });
    dialog.findChild<QPushButton*>(QString::number(addButtonId))->click();
    return shown;
}

TEST_F(DialogWindowsTest, TheFileDialogsNameTheirFilters) {
    CustomMusicDialog music(&owner);
    CustomBackgroundDialog background(&owner, textures);
    music.show();
    background.show();
    EXPECT_EQ(shownFilter(background, CustomBackgroundDialog::kAddImage),
              "Pictures (*.jpg;*.bmp;*.png)");
    EXPECT_EQ(shownFilter(music, CustomMusicDialog::kAddMusic), "Music (*.mp3;*.wav;*.mpeg)");
}

} // namespace
} // namespace quelmarine
