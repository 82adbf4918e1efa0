// The Fish Settings dialog with the real settings file: the total and the limit of 25, the
// selection, the keys and double clicks, when the counts are saved and handed to the tank, and
// the inverted oval over the selected species.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "desktop/controls/HoverButton.h"
#include "desktop/controls/HyperlinkStatic.h"
#include "desktop/dialogs/FishSettingsDialog.h"
#include "tank/ProcessState.h"
#include "tank/settings/SettingsFile.h"

namespace quelmarine {
namespace {

using Counts = std::array<std::int32_t, 5>;

std::string fileText() {
    std::ifstream in(settingsFilePath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Counts fileCounts() {
    Counts counts{};
    for (int i = 0; i < 5; ++i)
        counts[i] = readIniInt("Fish Number", "Fish" + std::to_string(i));
    return counts;
}

Counts tankCounts() {
    Counts counts{};
    std::copy(std::begin(AquariumSettings.fishCount), std::end(AquariumSettings.fishCount),
              counts.begin());
    return counts;
}

struct FishSettingsDialogTest : ::testing::Test {
    // A settings file holding `counts`, and a tank that shows other counts.
    void openWith(const Counts& counts) {
        std::string text = "[Aquarium Settings]\r\nQIPAONUM=100\r\n[Fish Number]\r\n";
        for (int i = 0; i < 5; ++i)
            text += "Fish" + std::to_string(i) + "=" + std::to_string(counts[i]) + "\r\n";
        std::ofstream(settingsFilePath(), std::ios::binary | std::ios::trunc) << text;
        for (auto& count : AquariumSettings.fishCount)
            count = 7;
        dialog = std::make_unique<FishSettingsDialog>();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void click(QPoint point) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, point); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}, QWidget* target = nullptr) {
        QTest::keyClick(target ? target : dialog.get(), k, modifiers);
    }
    Counts shown() const { return dialog->editor().counts; }
    QString totalLabel() const {
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->text().startsWith("Total"))
                return label->text();
        return {};
    }

    std::unique_ptr<FishSettingsDialog> dialog;
};

TEST_F(FishSettingsDialogTest, LayoutCaptionAndCountsAsRead) {
    openWith({40, 0, -2, 3, 1});
    EXPECT_EQ(dialog->windowTitle(), "Fish Settings - Quelmarine Fish 3D Screensaver 1.0");
    EXPECT_EQ(dialog->size(), QSize(501, 561));
    EXPECT_EQ(dialog->button(1007)->geometry(), QRect(182, 527, 40, 24)) << "Add";
    EXPECT_EQ(dialog->button(1010)->geometry(), QRect(326, 527, 40, 24)) << "Clear";
    EXPECT_FALSE(dialog->button(1)->isVisible()) << "OK is reached by Enter only";
    EXPECT_FALSE(dialog->button(2)->isVisible()) << "Cancel is reached by Esc only";
    EXPECT_EQ(dialog->link()->text(), "www.quelmarine.com");
    EXPECT_EQ(dialog->link()->pos(), QPoint(14, 540));
    for (HoverButton* button : dialog->findChildren<HoverButton*>())
        EXPECT_LE(QFontMetrics(button->font()).size(Qt::TextShowMnemonic, button->text()).width(),
                  button->width())
            << button->text().toStdString() << " fits its box";
    EXPECT_EQ(shown(), (Counts{40, 0, -2, 3, 1})) << "shown as read, without limits";
    EXPECT_EQ(totalLabel(), "Total: 42   (Max:25)");
    EXPECT_EQ(FishSettingsDialog::picture().size(), QSize(500, 512));
    // On a HiDPI screen the picture rendered at twice the size, painted in the same box.
    EXPECT_EQ(FishSettingsDialog::picture(2).size(), QSize(1000, 1024));
    EXPECT_EQ(FishSettingsDialog::picture(2).deviceIndependentSize(), QSizeF(500, 512));
}

TEST_F(FishSettingsDialogTest, AddStopsAtTwentyFiveAndDeleteMakesRoomAgain) {
    openWith({5, 5, 5, 5, 5});
    EXPECT_EQ(totalLabel(), "Total: 25   (Max:25)");
    click({250, 40});
    ASSERT_EQ(dialog->editor().selection, 2);
    key(Qt::Key_A);
    EXPECT_EQ(shown(), (Counts{5, 5, 5, 5, 5})) << "no Add at 25";
    key(Qt::Key_D);
    EXPECT_EQ(shown(), (Counts{5, 5, 4, 5, 5}));
    EXPECT_EQ(totalLabel(), "Total: 24   (Max:25)");
    QTest::mouseClick(dialog->button(1007), Qt::LeftButton);
    EXPECT_EQ(shown(), (Counts{5, 5, 5, 5, 5})) << "the Add button";
    QTest::mouseClick(dialog->button(1007), Qt::LeftButton);
    EXPECT_EQ(shown(), (Counts{5, 5, 5, 5, 5}));
}

TEST_F(FishSettingsDialogTest, ClicksOutsideTheCellsSelectNothing) {
    openWith({1, 1, 1, 1, 1});
    struct Case {
        QPoint point;
        int selection;
    } cases[] = {{{250, 40}, 2}, {{10, 451}, -1}, {{450, 89}, 4},  {{550, 10}, -1},
                 {{5, 5}, 0},    {{250, 95}, -1}, {{250, 450}, -1}};
    for (const Case& c : cases) {
        click(c.point);
        EXPECT_EQ(dialog->editor().selection, c.selection) << c.point.x() << "," << c.point.y();
    }
    // With nothing selected, Add, Delete and a right double click do nothing.
    key(Qt::Key_A);
    key(Qt::Key_D);
    QTest::mouseDClick(dialog.get(), Qt::RightButton, {}, {250, 40});
    EXPECT_EQ(shown(), (Counts{1, 1, 1, 1, 1}));
}

TEST_F(FishSettingsDialogTest, LettersInEitherCaseAndDoubleClicks) {
    openWith({1, 1, 1, 1, 1});
    click({150, 40});
    key(Qt::Key_A);                           // a
    key(Qt::Key_A, Qt::ShiftModifier);        // A
    key(Qt::Key_A, {}, dialog->button(1008)); // focus on Delete: still Add
    EXPECT_EQ(shown(), (Counts{1, 4, 1, 1, 1}));
    for (Qt::Key k : {Qt::Key_1, Qt::Key_4, Qt::Key_2, Qt::Key_3, Qt::Key_A})
        key(k, Qt::KeypadModifier);
    EXPECT_EQ(shown(), (Counts{1, 4, 1, 1, 1})) << "keypad keys do nothing";
    QTest::mouseDClick(dialog.get(), Qt::LeftButton, {}, {150, 40});
    EXPECT_EQ(shown(), (Counts{1, 5, 1, 1, 1})) << "left double click adds";
    QTest::mouseDClick(dialog.get(), Qt::RightButton, {}, {150, 40});
    QTest::mouseDClick(dialog.get(), Qt::RightButton, {}, {150, 40});
    EXPECT_EQ(shown(), (Counts{1, 3, 1, 1, 1})) << "right double click deletes";
    key(Qt::Key_D, Qt::ShiftModifier);
    EXPECT_EQ(shown(), (Counts{1, 2, 1, 1, 1}));
    key(Qt::Key_C, Qt::ShiftModifier);
    EXPECT_EQ(shown(), (Counts{0, 0, 0, 0, 0}));
    key(Qt::Key_R);
    EXPECT_EQ(dialog->editor().selection, -1) << "Random clears the selection";
    for (std::int32_t count : shown())
        EXPECT_TRUE(count == 0 || count == 1);
}

TEST_F(FishSettingsDialogTest, EachButtonRunsItsCommand) {
    openWith({3, 3, 3, 3, 3});
    click({50, 40});
    QTest::mouseClick(dialog->button(1008), Qt::LeftButton);
    EXPECT_EQ(shown(), (Counts{2, 3, 3, 3, 3})) << "Delete";
    QTest::mouseClick(dialog->button(1007), Qt::LeftButton);
    EXPECT_EQ(shown(), (Counts{3, 3, 3, 3, 3})) << "Add";
    QTest::mouseClick(dialog->button(1009), Qt::LeftButton);
    EXPECT_EQ(dialog->editor().selection, -1) << "Random";
    EXPECT_LE(dialog->editor().total(), 5);
    QTest::mouseClick(dialog->button(1010), Qt::LeftButton);
    EXPECT_EQ(shown(), (Counts{0, 0, 0, 0, 0})) << "Clear";
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FishSettingsDialogTest, RandomThenEscLeavesFileAndTankAsTheyWere) {
    openWith({3, 0, 2, 1, 4});
    const std::string before = fileText();
    key(Qt::Key_R);
    key(Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(tankCounts(), (Counts{7, 7, 7, 7, 7})) << "the tank got nothing";
}

TEST_F(FishSettingsDialogTest, EverySaveTickWritesTheFileAndFeedsTheTank) {
    openWith({40, 1, 1, 1, 1});
    click({250, 40});
    key(Qt::Key_D);
    EXPECT_EQ(fileCounts(), (Counts{40, 1, 1, 1, 1})) << "not before the tick";
    QTRY_COMPARE_WITH_TIMEOUT(fileCounts(), (Counts{40, 1, 0, 1, 1}), 700);
    EXPECT_EQ(tankCounts(), (Counts{25, 1, 0, 1, 1})) << "the tank takes at most 25";
    EXPECT_NE(fileText().find("[Aquarium Settings]\r\nQIPAONUM=100\r\n"), std::string::npos)
        << "the rest of the file is kept";
}

TEST_F(FishSettingsDialogTest, EnterAndTheCloseBoxSaveEscDoesNot) {
    struct Case {
        const char* way;
        bool saves;
    } cases[] = {{"Enter", true}, {"close box", true}, {"Esc", false}, {"keypad Enter", true}};
    for (const Case& c : cases) {
        openWith({2, 2, 2, 2, 2});
        key(Qt::Key_C);
        const std::string way = c.way;
        if (way == "Enter")
            key(Qt::Key_Return, {}, dialog->button(1007));
        else if (way == "keypad Enter")
            key(Qt::Key_Enter, Qt::KeypadModifier);
        else if (way == "Esc")
            key(Qt::Key_Escape);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible()) << c.way;
        const Counts saved{}, kept{2, 2, 2, 2, 2}, tankKept{7, 7, 7, 7, 7};
        EXPECT_EQ(fileCounts(), c.saves ? saved : kept) << c.way;
        EXPECT_EQ(tankCounts(), c.saves ? saved : tankKept) << c.way;
    }
}

TEST_F(FishSettingsDialogTest, TheSelectedSpeciesShowsAnInvertedOval) {
    openWith({1, 1, 1, 1, 1});
    const QImage picture = FishSettingsDialog::picture().convertToFormat(QImage::Format_RGB32);
    auto shownAt = [&](QPoint p) {
        return dialog->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(p);
    };
    const QPoint middle(352, 47), corner(303, 88), outside(352, 100);
    EXPECT_EQ(shownAt(middle), picture.pixel(middle));
    click({352, 47});
    const QImage shown = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(middle), picture.pixel(middle) ^ 0x00ffffff) << "inverted";
    EXPECT_EQ(shown.pixel(corner), picture.pixel(corner)) << "the cell's corner is outside";
    EXPECT_EQ(shown.pixel(outside), picture.pixel(outside));
    EXPECT_EQ(shown.pixel(QPoint(252, 47)), picture.pixel(QPoint(252, 47))) << "other cells";
}

} // namespace
} // namespace quelmarine
