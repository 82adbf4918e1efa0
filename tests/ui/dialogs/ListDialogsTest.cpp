// The Custom Music and Custom Background dialogs as widgets: their captions, controls and
// texts, their messages (which never block), Esc and Enter, the saved sections, the volume in
// the profile, the current row in green, and file filters that ignore letter case.

#include <QAbstractButton>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "desktop/controls/CustomListCtrl.h"
#include "desktop/controls/ReportList.h"
#include "desktop/dialogs/CustomBackgroundDialog.h"
#include "desktop/dialogs/CustomMusicDialog.h"
#include "desktop/platform/ProfileVolume.h"
#include "support/TempDir.h"
#include "tank/ProcessState.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "ui/controls/PixelProbe.h"

namespace quelmarine {
namespace {

template <typename T = QAbstractButton> T* child(const QWidget& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

// The texts of the message boxes the dialog has open.
QStringList messages(const QWidget& dialog) {
    QStringList texts;
    for (QMessageBox* box : dialog.findChildren<QMessageBox*>()) {
        if (box->isVisible()) {
            EXPECT_TRUE(box->windowTitle().isEmpty()) << "no caption text is given";
            texts << box->text();
        }
    }
    return texts;
}

void closeMessages(const QWidget& dialog) {
    for (QMessageBox* box : dialog.findChildren<QMessageBox*>())
        box->close();
    QTest::qWait(10);
}

class ListDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::remove(settingsFilePath().c_str());
        currentPlaylistIndex = -1;
    }
};

TEST_F(ListDialogsTest, MusicDialogControlsMessagesKeysAndVolume) {
    writeProfileVolume(640);
    CustomMusicDialog dialog(nullptr);
    EXPECT_FALSE(dialog.isVisible()) << "created hidden";
    EXPECT_EQ(dialog.windowTitle(), "Custom Music - Quelmarine Fish 3D Screensaver 1.0");
    const std::pair<int, const char*> texts[] = {
        {CustomMusicDialog::kOnOff, "On/Off"},
        {CustomMusicDialog::kAddMusic, "Add Music"},
        {CustomMusicDialog::kRemove, "Remove"},
        {CustomMusicDialog::kRemoveAll, "Remove All"},
        {CustomMusicDialog::kPlay, "Play"},
        {CustomMusicDialog::kStop, "Stop"},
        {CustomMusicDialog::kRepeatOne, "Repeat One"},
        {CustomMusicDialog::kRepeatAll, "Repeat All"},
        {CustomMusicDialog::kRandom, "Random "},
    };
    for (const auto& [id, text] : texts) {
        ASSERT_NE(child(dialog, id), nullptr) << id;
        EXPECT_EQ(child(dialog, id)->text(), text);
    }
    auto* list = child<CustomListCtrl>(dialog, CustomMusicDialog::kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(0), "Music List");
    EXPECT_EQ(list->columnWidth(0), 500);
    auto* volume = child<QSlider>(dialog, CustomMusicDialog::kVolume);
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->maximum(), 1000);
    EXPECT_EQ(volume->value(), 640) << "the profile's Volume";
    EXPECT_TRUE(child(dialog, CustomMusicDialog::kRepeatOne)->isChecked());

    dialog.showCentredOver(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // "Remove" with nothing selected: the message, and the call has already returned.
    child(dialog, CustomMusicDialog::kRemove)->click();
    EXPECT_EQ(messages(dialog), QStringList{"Please select an item from the music list!"});
    closeMessages(dialog);

    // A mode click lights that button only and is saved at once.
    child(dialog, CustomMusicDialog::kRandom)->click();
    EXPECT_TRUE(child(dialog, CustomMusicDialog::kRandom)->isChecked());
    EXPECT_FALSE(child(dialog, CustomMusicDialog::kRepeatOne)->isChecked());
    EXPECT_EQ(readIniString(kCustomSettingsSection, kRandomMusicKey), "1");

    // The volume is kept when the slider is released.
    volume->setSliderDown(true);
    volume->setValue(300);
    EXPECT_EQ(readProfileVolume(), 640) << "not while dragging";
    EXPECT_EQ(dialog.player().volume(), 300) << "but the player follows at once";
    volume->setSliderDown(false);
    EXPECT_EQ(readProfileVolume(), 300);

    // Enter does nothing; Esc hides the dialog and writes its section.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(messages(dialog).isEmpty()) << "Enter pressed no button";
    std::remove(settingsFilePath().c_str());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readIniString(kCustomSettingsSection, kMusicSumKey), "0");
    EXPECT_EQ(readIniString(kCustomSettingsSection, kRandomMusicKey), "1");
}

TEST_F(ListDialogsTest, PlayingMarksTheCurrentRowGreenAndLocksTheListButtons) {
    testsupport::TempDir dir;
    const std::string track = dir.file("beep.wav");
    ASSERT_EQ(std::system(("sox -n -r 22050 -c 1 '" + track + "' synth 5 sine 500").c_str()), 0);
    CustomMusicDialog dialog(nullptr);
    dialog.addMusicFile(QString::fromStdString(track));
    dialog.addMusicFile(QString::fromStdString(track));
    dialog.showCentredOver(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = child<CustomListCtrl>(dialog, CustomMusicDialog::kList);
    ASSERT_EQ(list->topLevelItemCount(), 2);

    child(dialog, CustomMusicDialog::kPlay)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.player().canPlay(); }, 3000));
    EXPECT_EQ(currentPlaylistIndex, 0);
    for (int id : {CustomMusicDialog::kAddMusic, CustomMusicDialog::kRemove,
                   CustomMusicDialog::kRemoveAll, CustomMusicDialog::kPlay})
        EXPECT_FALSE(child(dialog, id)->isEnabled()) << id;
    QTest::qWait(50);
    const QImage shot = list->viewport()->grab().toImage();
    const QRect first = list->visualItemRect(list->topLevelItem(0));
    const QRect second = list->visualItemRect(list->topLevelItem(1));
    EXPECT_EQ(shot.pixelColor(first.left() + 5, first.center().y()), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(second.left() + 5, second.center().y()), QColor(196, 184, 130));

    child(dialog, CustomMusicDialog::kStop)->click();
    EXPECT_EQ(currentPlaylistIndex, -1);
    EXPECT_TRUE(child(dialog, CustomMusicDialog::kPlay)->isEnabled());
}

// Texture 1 + the number of pictures made so far; "bad" pictures fail.
struct CountingTextures : PictureTextures {
    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        done(path.find("bad") != std::string::npos ? 0 : ++made);
    }
    void release(std::int32_t) override {}
    int made = 0;
};

TEST_F(ListDialogsTest, BackgroundDialogControlsLimitsMessagesAndSavedSection) {
    CountingTextures textures;
    CustomBackgroundDialog dialog(nullptr, textures);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), "Custom Background - Quelmarine Fish 3D Screensaver 1.0");
    const std::pair<int, const char*> texts[] = {
        {CustomBackgroundDialog::kAddImage, "Add Image"},
        {CustomBackgroundDialog::kRemoveImage, "Remove Image"},
        {CustomBackgroundDialog::kRemoveAll, "Remove All"},
        {CustomBackgroundDialog::kRepeatOne, "Repeat One"},
        {CustomBackgroundDialog::kRepeatAll, "Repeat All"},
        {CustomBackgroundDialog::kRandom, "Random "},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(child(dialog, id)->text(), text);
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"Use your own image", "Interval", "S"})
        EXPECT_TRUE(labels.contains(text)) << text;
    auto* interval = child<QLineEdit>(dialog, CustomBackgroundDialog::kInterval);
    ASSERT_NE(interval, nullptr);
    EXPECT_EQ(interval->text(), "5");
    auto* list = child<QTreeWidget>(dialog, CustomBackgroundDialog::kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(0), "Backgrounds Directory");
    EXPECT_EQ(list->headerItem()->text(1), "State");
    EXPECT_EQ(list->columnWidth(0), 430);
    EXPECT_EQ(list->columnWidth(1), 50);
    dialog.showCentredOver(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    // Switch on, then the first picture: it shows at the next tick, its row "ON".
    child(dialog, CustomBackgroundDialog::kOwnImage)->click();
    dialog.addImageFile("/pictures/Strand ü.JPG");
    QTest::qWait(kListTickMs + 100);
    EXPECT_TRUE(customImageActive);
    EXPECT_EQ(dialog.backdropTexture(), 1u);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "ON");

    // Ten at most; a picture that cannot be loaded; "Remove Image" with nothing selected.
    for (int i = 1; i < 10; ++i)
        dialog.addImageFile(QStringLiteral("/pictures/%1.png").arg(i));
    dialog.addImageFile("/pictures/eleven.png");
    EXPECT_EQ(messages(dialog), QStringList{"The maximum number of background is: 10"});
    closeMessages(dialog);
    EXPECT_EQ(list->topLevelItemCount(), 10);
    child(dialog, CustomBackgroundDialog::kRemoveAll)->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.backdropTexture(), 0u) << "0: the built-in backdrop";
    dialog.addImageFile("/pictures/bad.png");
    EXPECT_EQ(messages(dialog), QStringList{"(/pictures/bad.png)image loading error."});
    closeMessages(dialog);
    dialog.addImageFile("/pictures/kept.png");
    child(dialog, CustomBackgroundDialog::kRemoveImage)->click();
    EXPECT_TRUE(messages(dialog).isEmpty());
    EXPECT_EQ(list->topLevelItemCount(), 1);

    // The typed interval and the mode are saved as they change.
    interval->clear();
    QTest::keyClicks(interval, "12");
    child(dialog, CustomBackgroundDialog::kRepeatAll)->click();
    EXPECT_EQ(readIniString(kCustomImagesSection, kImageTimeKey), "12");
    EXPECT_EQ(readIniString(kCustomImagesSection, kCycImageKey), "1");
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageList0"), "/pictures/kept.png");
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());

    // A saved picture that cannot be read any more keeps its row, marked, after one message.
    writeIniString(kCustomImagesSection, "ImageSum", "2");
    writeIniString(kCustomImagesSection, "ImageList1", "/pictures/bad.png");
    CustomBackgroundDialog again(nullptr, textures);
    auto* rows = child<QTreeWidget>(again, CustomBackgroundDialog::kList);
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    EXPECT_EQ(rows->topLevelItem(1)->text(0), "/pictures/bad.png");
    EXPECT_EQ(rows->topLevelItem(1)->text(1), "ERROR");
    EXPECT_EQ(messages(again), QStringList{"(/pictures/bad.png)image loading error."});
    closeMessages(again);
    customImageActive = false;
}

// Both dialogs' lists and mode buttons as they paint: blue text on the list's tan (the music
// list's rows in CustomListCtrl's tan), grid lines down the list, and mode discs green when lit
// and black when not.
TEST_F(ListDialogsTest, ListsAndModeDiscsShowTheirColours) {
    test::TestLook look; // unsmoothed text: every text pixel is blue
    CountingTextures textures;
    CustomMusicDialog music(nullptr);
    CustomBackgroundDialog background(nullptr, textures);
    for (const char* name : {"/music/one.mp3", "/music/two.wav"})
        music.addMusicFile(name);
    for (const char* name : {"/pictures/one.png", "/pictures/two.png"})
        background.addImageFile(name);
    struct Case {
        ListDialog* dialog;
        int list;
        QColor row;
    } cases[] = {
        {&music, CustomMusicDialog::kList, CustomListCtrl::rowColour()},
        {&background, CustomBackgroundDialog::kList, kListBackground},
    };
    auto hex = [](const QColor& colour) { return colour.name().toStdString(); };
    for (const Case& c : cases) {
        c.dialog->showCentredOver(nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.dialog));
        auto* list = child<ReportList>(*c.dialog, c.list);
        ASSERT_NE(list, nullptr) << c.list;
        ASSERT_EQ(list->topLevelItemCount(), 2);
        const QImage shot = list->viewport()->grab().toImage();
        const QRect row = list->visualItemRect(list->topLevelItem(1));
        EXPECT_EQ(hex(shot.pixelColor(row.left() + 5, row.center().y())), hex(c.row)) << c.list;
        EXPECT_EQ(hex(shot.pixelColor(row.left() + 5, row.bottom())), hex(ReportList::gridColour()))
            << c.list << ": a line under the row";
        const int below = row.bottom() + 3 * list->gridStep();
        EXPECT_EQ(hex(shot.pixelColor(row.left() + 5, below)), hex(ReportList::gridColour()))
            << c.list << ": lines on below the rows";
        EXPECT_EQ(hex(shot.pixelColor(row.left() + 5, below - 2)), hex(kListBackground)) << c.list;
        EXPECT_GT(test::countOf(shot.convertToFormat(QImage::Format_RGB32),
                                CustomListCtrl::rowTextColour(), row),
                  10)
            << c.list << ": blue text";

        for (int id : {CustomMusicDialog::kRepeatOne, CustomMusicDialog::kRandom}) {
            auto* mode = child<ImageCheckBox>(*c.dialog, id);
            ASSERT_NE(mode, nullptr) << id;
            const QPoint centre = mode->indicatorBox().center();
            const QColor lit = id == CustomMusicDialog::kRepeatOne ? QColor(0, 255, 0) : Qt::black;
            const QImage disc = mode->grab().toImage();
            EXPECT_EQ(hex(disc.pixelColor(centre)), hex(lit)) << c.list << " mode " << id;
            const QPoint ring(centre.x(), mode->indicatorBox().top() + 1);
            EXPECT_EQ(hex(disc.pixelColor(ring)), hex(Qt::black))
                << c.list << " mode " << id << ": the inner ring is black, lit or not";
        }
        c.dialog->hide();
    }
}

TEST(ListDialogFilters, PatternsMatchInAnyLetterCaseAndJpegCounts) {
    const QString filter = caseFreeFilter("(*.jpg;*.bmp;*.png)", {"jpg", "jpeg", "bmp", "png"});
    EXPECT_TRUE(filter.startsWith("(*.jpg;*.bmp;*.png) (")) << "the description is shown as is";
    testsupport::TempDir dir;
    for (const char* name : {"IMG_0001.JPG", "a.jpeg", "b.Png", "c.bmp", "d.gif", "e.jpg.txt"})
        testsupport::writeFile(dir.file(name), "x");
    const QString patterns = filter.section('(', -1).chopped(1);
    QStringList found =
        QDir(QString::fromStdString(dir.path())).entryList(patterns.split(' '), QDir::Files);
    found.sort();
    EXPECT_EQ(found.join(' '), "IMG_0001.JPG a.jpeg b.Png c.bmp");
}

} // namespace
} // namespace quelmarine
