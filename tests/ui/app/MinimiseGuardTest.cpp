// A dialog minimised, or the frame minimised while a dialog is open, brings both back; the
// frame minimised with no dialog open stays minimised.
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "desktop/app/MinimiseGuard.h"

namespace quelmarine {
namespace {

// What a window manager reports when it minimises a window.
void minimisedByWindowManager(QWidget* window) {
    window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

bool comesBack(QWidget* window) {
    return QTest::qWaitFor([window] { return !window->isMinimized(); }, 2000);
}

TEST(MinimiseGuard, ADialogNeverTakesTheTankAway) {
    QWidget frame;
    frame.setGeometry(0, 0, 400, 300);
    new MinimiseGuard(&frame);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    auto* dialog = new QDialog(&frame);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    // A dialog of the dialog (a message box, a file dialog) counts as well.
    auto* inner = new QDialog(dialog);
    inner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(inner));

    // The dialog minimised: the frame went with it (as openbox does), both come back.
    minimisedByWindowManager(&frame);
    minimisedByWindowManager(dialog);
    EXPECT_TRUE(comesBack(&frame));
    EXPECT_TRUE(comesBack(dialog));
    EXPECT_TRUE(frame.isFullScreen()) << "the frame covers its screen again";

    minimisedByWindowManager(inner);
    EXPECT_TRUE(comesBack(inner));
    EXPECT_TRUE(dialog->isVisible() && !dialog->isMinimized());

    // The frame minimised while a dialog is open.
    frame.showNormal();
    minimisedByWindowManager(&frame);
    EXPECT_TRUE(comesBack(&frame));

    // With every dialog closed the frame may be minimised.
    inner->hide();
    dialog->hide();
    minimisedByWindowManager(&frame);
    QTest::qWait(100);
    EXPECT_TRUE(frame.isMinimized());
}

TEST(MinimiseGuard, WindowsOfOtherOwnersAreLeftAlone) {
    QWidget frame;
    new MinimiseGuard(&frame);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QDialog stranger;
    stranger.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stranger));
    minimisedByWindowManager(&stranger);
    QTest::qWait(100);
    EXPECT_TRUE(stranger.isMinimized());
}

} // namespace
} // namespace quelmarine
