// The view's mouse handling: what a press, a release and a move record, the mode cursors, and
// the commands of the popup menu; and, with the frame's picking pass, how often a click acts.
#include <QWindow>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "desktop/menu/UiArt.h"
#include "desktop/view/MouseInteraction.h"
#include "res/ResourceIds.h"
#include "support/OffscreenGl.h"
#include "tank/scene/Camera.h"
#include "tank/scene/Picking.h"

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

// In the fish modes a press stays pending for the picking pass after its release; the cursor
// shows the button as it is.
TEST_F(MouseInteractionTest, FishModePressStaysPendingAfterTheRelease) {
    interaction.OnCommand(kModeTouchFish);
    EXPECT_TRUE(showsCursor(kResourceTouchCursor));
    interaction.OnLButtonDown({10, 10});
    EXPECT_TRUE(showsCursor(kResourceTouchCursorDown));
    interaction.OnLButtonUp({10, 10});
    EXPECT_TRUE(mouse.pickPending);
    EXPECT_FALSE(mouse.buttonDown);
    EXPECT_TRUE(showsCursor(kResourceTouchCursor));

    interaction.OnCommand(kModeZoomInFish);
    EXPECT_FALSE(mouse.pickPending) << "a new mode drops the last mode's press";
    interaction.OnLButtonDown({10, 10});
    EXPECT_TRUE(showsCursor(kResourceZoomInCursorDown));
    interaction.OnLButtonUp({10, 10});
    EXPECT_TRUE(mouse.pickPending);
    EXPECT_FALSE(mouse.feedPending);
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
        mouse.buttonDown = mouse.feedPending = mouse.pickPending = false;
        mouse.mouseX = mouse.mouseY = 7;
        interaction.OnPress(c.button, {300, 200}, {300, 200}, true);
        EXPECT_FALSE(mouse.buttonDown) << c.mode;
        EXPECT_FALSE(mouse.feedPending) << c.mode;
        EXPECT_FALSE(mouse.pickPending) << c.mode;
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

namespace {

// The recorded mouse handed to the frame's fish picking pass, with one fish in the middle of
// the screen.
class ClickAndFrameTest : public MouseInteractionTest {
  protected:
    static constexpr int kWidth = 640, kHeight = 480;
    static constexpr QPoint kCentre{kWidth / 2, kHeight / 2};

    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        glViewport(0, 0, kWidth, kHeight);
        SetProjectionAndCamera(kWidth, kHeight);
        settle();
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    // The fish still and straight, so a touch always turns it by a quarter.
    void settle() {
        Fish& f = fish[0];
        f.SetBounds(-50, 50, 11, -15, -80, -60);
        f.x = 0, f.y = 0, f.z = -70;
        f.heading = f.targetHeading = f.turnTarget = 0;
        f.turnReached = f.turnSettled = true;
        f.pitch = f.targetPitch = 0;
        f.wanderTimer = 0;
    }
    // One frame's pass; true when it acted on the fish.
    bool frame() {
        const bool acted = picking.FishPickingPass(mouse, fish, 1) == 0;
        effects += fish[0].size - 6 + int(fish[0].targetHeading != 0);
        fish[0].size = 6;
        settle();
        return acted;
    }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    Picking picking;
    std::array<Fish, 1> fish{};
    int effects = 0; // the sum of the size changes and turns seen after the frames
};

} // namespace

// A press and its release between two frames (a quick click, a touchpad tap) acts at the next
// frame, once; so does a press held over several frames. A click made in another mode never
// acts after the mode changes.
TEST_F(ClickAndFrameTest, EachPressActsOnceAtTheNextFrame) {
    struct Case {
        int mode;
        int effect; // of one act on a fish of size 6
        int cursorUp, cursorDown;
    };
    for (const Case& c :
         {Case{kModeTouchFish, 1, kResourceTouchCursor, kResourceTouchCursorDown},
          Case{kModeZoomInFish, 2, kResourceZoomInCursor, kResourceZoomInCursorDown},
          Case{kModeZoomOutFish, -2, kResourceZoomOutCursor, kResourceZoomOutCursorDown}}) {
        interaction.OnCommand(c.mode);
        effects = 0;
        interaction.OnLButtonDown(kCentre);
        interaction.OnLButtonUp(kCentre);
        EXPECT_TRUE(showsCursor(c.cursorUp)) << c.mode << ": the button is up again";
        EXPECT_TRUE(frame()) << c.mode << ": a quick click acts at the next frame";
        EXPECT_FALSE(frame()) << c.mode << ": and only then";
        EXPECT_EQ(effects, c.effect) << c.mode;

        effects = 0;
        interaction.OnLButtonDown(kCentre);
        EXPECT_TRUE(frame()) << c.mode << ": a held press acts at the next frame";
        EXPECT_FALSE(frame()) << c.mode;
        interaction.OnMouseMove(kCentre);
        EXPECT_TRUE(showsCursor(c.cursorDown)) << c.mode << ": held, after the press acted";
        EXPECT_FALSE(frame()) << c.mode << ": not again while it is held";
        interaction.OnLButtonUp(kCentre);
        EXPECT_FALSE(frame()) << c.mode << ": nor after its release";
        EXPECT_EQ(effects, c.effect) << c.mode;
    }

    effects = 0;
    for (int before : {kModeFeedFish, kCommandCustomMusic, kCommandAddDeleteFish}) {
        interaction.OnCommand(before);
        interaction.OnLButtonDown(kCentre);
        interaction.OnLButtonUp(kCentre);
        interaction.OnCommand(kModeZoomInFish);
        EXPECT_FALSE(frame()) << "a click in mode " << before << " does not zoom later";
        EXPECT_TRUE(showsCursor(kResourceZoomInCursor)) << before;
    }
    EXPECT_EQ(effects, 0);
}
