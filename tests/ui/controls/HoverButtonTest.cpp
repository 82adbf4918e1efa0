// HoverButton: the edge and caption of each paint state, and the hover tracking.
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/HoverButton.h"
#include "desktop/controls/SystemColours.h"

namespace quelmarine {
namespace {

using test::at;
using test::boundsOf;
using test::grabImage;

struct HoverButtonFixture : ::testing::Test {
    HoverButtonFixture() {
        button.resize(60, 24);
        button.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&button));
    }
    void enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&button, &event);
    }
    void move(QPoint point, Qt::MouseButtons held) {
        QMouseEvent event(QEvent::MouseMove, point, button.mapToGlobal(point), Qt::NoButton, held,
                          {});
        QApplication::sendEvent(&button, &event);
    }
    test::TestLook look;
    HoverButton button{"&Add"};
};

TEST_F(HoverButtonFixture, EdgesOfRestHoverAndPressed) {
    ASSERT_NE(buttonHighlightColour(), buttonShadowColour());
    struct Case {
        const char* state;
        bool over, down;
        QColor topLeft, bottomRight;
    } cases[] = {
        {"rest", false, false, buttonFaceColour(), buttonFaceColour()},
        {"hover", true, false, buttonHighlightColour(), buttonShadowColour()},
        {"pressed", true, true, buttonShadowColour(), buttonHighlightColour()},
    };
    for (const Case& c : cases) {
        if (c.over)
            enter();
        button.setDown(c.down);
        ASSERT_EQ(button.isMouseOver(), c.over) << c.state;
        const QImage image = grabImage(button);
        EXPECT_EQ(at(image, 0, 12), QColor(c.topLeft).rgb()) << c.state << ": left side";
        EXPECT_EQ(at(image, 30, 0), QColor(c.topLeft).rgb()) << c.state << ": top";
        EXPECT_EQ(at(image, 59, 12), QColor(c.bottomRight).rgb()) << c.state << ": right side";
        EXPECT_EQ(at(image, 30, 23), QColor(c.bottomRight).rgb()) << c.state << ": bottom";
        EXPECT_EQ(at(image, 1, 1), QColor(buttonFaceColour()).rgb())
            << c.state << ": one pixel wide";
        EXPECT_EQ(at(image, 58, 22), QColor(buttonFaceColour()).rgb())
            << c.state << ": one pixel wide";
    }
}

TEST_F(HoverButtonFixture, PressedCaptionMovesOnePixelAndFocusDrawsNothing) {
    const QRect rest = boundsOf(grabImage(button), buttonTextColour());
    ASSERT_FALSE(rest.isEmpty());
    EXPECT_NEAR(rest.center().x(), 30, 2) << "centred";
    EXPECT_NEAR(rest.center().y(), 12, 3) << "centred";
    button.setFocus();
    EXPECT_EQ(boundsOf(grabImage(button), buttonTextColour()), rest) << "no focus frame";
    button.setDown(true);
    EXPECT_EQ(boundsOf(grabImage(button), buttonTextColour()), rest.translated(1, 1));
}

TEST_F(HoverButtonFixture, AccessKeyIsUnderlinedAndNoAmpersandShows) {
    HoverButton plain("Add");
    plain.resize(button.size());
    const QRect marked = boundsOf(grabImage(button), buttonTextColour());
    const QRect unmarked = boundsOf(grabImage(plain), buttonTextColour());
    EXPECT_EQ(marked.left(), unmarked.left()) << "the & takes no room";
    EXPECT_EQ(marked.top(), unmarked.top());
    EXPECT_GT(marked.bottom(), unmarked.bottom()) << "a line under the A";
    const QRect underline =
        boundsOf(grabImage(button), buttonTextColour(),
                 QRect(0, unmarked.bottom() + 1, 60, 24 - unmarked.bottom() - 1));
    EXPECT_LT(underline.right(), unmarked.center().x()) << "only under the first letter";
}

TEST_F(HoverButtonFixture, DisabledCaptionIsEmbossed) {
    button.setEnabled(false);
    const QImage image = grabImage(button);
    EXPECT_TRUE(boundsOf(image, buttonTextColour()).isEmpty() ||
                buttonTextColour() == buttonShadowColour());
    const QRect shadow = boundsOf(image, buttonShadowColour());
    const QRect light = boundsOf(image, buttonHighlightColour());
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(light.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST_F(HoverButtonFixture, HoverFollowsTheMouseAndADragThatLeaves) {
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    enter();
    EXPECT_TRUE(button.isMouseOver());
    QTest::mousePress(&button, Qt::LeftButton, {}, {10, 10});
    EXPECT_TRUE(button.isDown());
    move({100, 10}, Qt::LeftButton);
    EXPECT_FALSE(button.isMouseOver()) << "the hover look goes when the pointer leaves";
    const QImage dragged = grabImage(button);
    EXPECT_EQ(at(dragged, 0, 12), QColor(buttonFaceColour()).rgb()) << "flat while dragged off";
    move({20, 10}, Qt::LeftButton);
    EXPECT_FALSE(button.isMouseOver()) << "a held button does not light it again";
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {100, 10});
    EXPECT_EQ(clicks.count(), 0) << "released outside: no click";

    move({20, 10}, Qt::NoButton);
    EXPECT_TRUE(button.isMouseOver());
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(&button, &focusOut);
    EXPECT_FALSE(button.isMouseOver()) << "losing the focus clears the hover";
}

} // namespace
} // namespace quelmarine
