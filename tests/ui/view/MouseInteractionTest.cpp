// The view's mouse handling: what a press, a release and a move record, the mode cursors, and
// the commands of the popup menu.
#include <QWindow>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "desktop/menu/UiArt.h"
#include "desktop/view/MouseInteraction.h"
#include "res/ResourceIds.h"

using namespace quelmarine;

namespace {

class MouseInteractionTest : public ::testing::Test {
  protected:
    MouseInteractionTest() {
        mouse.mode = kModeFeedFish;
        interaction.openDialog = [this](int id) {
            calls.push_back("dialog " + std::to_string(id));
        };
        interaction.releaseOpenGL = [this] { calls.push_back("release"); };
        interaction.exitProcess = [this] { calls.push_back("exit"); };
    }

    bool showsCursor(int id) const {
        const QCursor expected = loadModeCursor(id), shown = window.cursor();
        return shown.shape() == Qt::BitmapCursor && shown.hotSpot() == expected.hotSpot() &&
               shown.pixmap().toImage() == expected.pixmap().toImage();
    }

    QWindow window;
    MouseState mouse;
    MouseInteraction interaction{window, mouse};
    std::vector<std::string> calls;
};

} // namespace

TEST_F(MouseInteractionTest, FeedPressRecordsThePointAndAPendingClick) {
    EXPECT_TRUE(showsCursor(kResourceFeedCursor)) << "the feed cursor from the start";
    interaction.OnLButtonDown({120, 80});
    EXPECT_EQ(mouse.mouseX, 120);
    EXPECT_EQ(mouse.mouseY, 80);
    EXPECT_TRUE(mouse.buttonDown);
    EXPECT_TRUE(mouse.feedPending);
    EXPECT_TRUE(showsCursor(kResourceFeedCursorDown));
    interaction.OnLButtonUp({121, 80});
    EXPECT_FALSE(mouse.buttonDown);
    EXPECT_TRUE(mouse.feedPending) << "the frame places it, not the release";
    EXPECT_EQ(mouse.mouseX, 120) << "a release does not move the recorded point";
    EXPECT_TRUE(showsCursor(kResourceFeedCursor));
}

TEST_F(MouseInteractionTest, MovesUpdateThePointAndTheCursor) {
    interaction.OnCommand(kModeZoomOutFish);
    interaction.OnMouseMove({300, 200});
    EXPECT_EQ(mouse.mouseX, 300);
    EXPECT_EQ(mouse.mouseY, 200);
    EXPECT_TRUE(showsCursor(kResourceZoomOutCursor));
    interaction.OnLButtonDown({300, 200});
    EXPECT_TRUE(showsCursor(kResourceZoomOutCursorDown));
    EXPECT_FALSE(mouse.feedPending);
}

TEST_F(MouseInteractionTest, TouchPressStaysUntilThePassConsumesIt) {
    interaction.OnCommand(kModeTouchFish);
    EXPECT_TRUE(showsCursor(kResourceTouchCursor));
    interaction.OnLButtonDown({10, 10});
    EXPECT_TRUE(showsCursor(kResourceTouchCursorDown));
    interaction.OnLButtonUp({10, 10});
    EXPECT_TRUE(mouse.buttonDown);

    interaction.OnCommand(kModeZoomInFish);
    interaction.OnLButtonDown({10, 10});
    EXPECT_TRUE(showsCursor(kResourceZoomInCursorDown));
    interaction.OnLButtonUp({10, 10});
    EXPECT_FALSE(mouse.buttonDown);
    EXPECT_TRUE(showsCursor(kResourceZoomInCursor));
}

TEST_F(MouseInteractionTest, DialogCommandsLeaveTheClickModes) {
    for (int id : {kCommandCustomMusic, kCommandAddDeleteFish, kCommandCustomBackground}) {
        interaction.OnCommand(id);
        EXPECT_EQ(mouse.mode, id);
        EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
        interaction.OnLButtonDown({50, 50});
        EXPECT_FALSE(mouse.feedPending) << id;
        interaction.OnLButtonUp({50, 50});
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"dialog 1050", "dialog 1034", "dialog 1052"}));

    interaction.OnCommand(kModeFeedFish);
    interaction.OnLButtonDown({50, 50});
    EXPECT_TRUE(mouse.feedPending);
}

TEST_F(MouseInteractionTest, ExitReleasesTheContextThenEndsTheProcess) {
    interaction.OnCommand(kCommandExit);
    EXPECT_EQ(mouse.mode, kCommandExit);
    EXPECT_EQ(calls, (std::vector<std::string>{"release", "exit"}));
}

// The second press of a double click is no new click in any mode: it neither records a click,
// nor drops food, nor opens the menu again; it only shows the mode's cursor.
TEST_F(MouseInteractionTest, SecondPressOfADoubleClickOnlyUpdatesTheCursor) {
    interaction.trackPopup = [this](QPoint) {
        calls.push_back("popup");
        return 0;
    };
    struct Case {
        int mode;
        Qt::MouseButton button;
        int cursor; // shown after the repeated press (the button counts as up)
    };
    for (const Case& c : {Case{kModeFeedFish, Qt::LeftButton, kResourceFeedCursor},
                          Case{kModeZoomInFish, Qt::LeftButton, kResourceZoomInCursor},
                          Case{kModeTouchFish, Qt::LeftButton, kResourceTouchCursor},
                          Case{kModeZoomOutFish, Qt::RightButton, kResourceZoomOutCursor}}) {
        interaction.OnCommand(c.mode);
        mouse.buttonDown = mouse.feedPending = false;
        mouse.mouseX = mouse.mouseY = 7;
        interaction.OnPress(c.button, {300, 200}, {300, 200}, true);
        EXPECT_FALSE(mouse.buttonDown) << c.mode;
        EXPECT_FALSE(mouse.feedPending) << c.mode;
        EXPECT_EQ(mouse.mouseX, 7) << c.mode;
        EXPECT_TRUE(showsCursor(c.cursor)) << c.mode;
    }
    EXPECT_TRUE(calls.empty());
    // A first press is a click again.
    interaction.OnCommand(kModeFeedFish);
    interaction.OnPress(Qt::LeftButton, {300, 200}, {300, 200}, false);
    EXPECT_TRUE(mouse.feedPending);
    interaction.OnPress(Qt::RightButton, {300, 200}, {300, 200}, false);
    EXPECT_EQ(calls, std::vector<std::string>{"popup"});
}
