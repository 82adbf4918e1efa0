// ImageCheckBox: the toggle comes before the one signal of a click; the icon, disc, hover,
// disabled and layout looks.
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/ImageCheckBox.h"
#include "desktop/controls/SystemColours.h"
#include "desktop/menu/UiArt.h"
#include "res/ResourceIds.h"

namespace quelmarine {
namespace {

using test::at;
using test::boundsOf;
using test::countOf;
using test::grabImage;

struct ImageCheckBoxFixture : ::testing::Test {
    ImageCheckBoxFixture() {
        box.resize(160, 22);
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    QImage indicatorImage() { return grabImage(box).copy(box.indicatorBox().left(), 0, 16, 16); }
    test::TestLook look;
    ImageCheckBox box{"Use your own music"};
};

TEST_F(ImageCheckBoxFixture, AClickTogglesFirstThenSignalsOnce) {
    std::vector<int> seen;
    QObject::connect(&box, &QAbstractButton::clicked, [&] { seen.push_back(box.getCheck()); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, {20, 10});
    QTest::mouseClick(&box, Qt::LeftButton, {}, {20, 10});
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));

    seen.clear();
    box.setCheck(2);
    EXPECT_EQ(box.getCheck(), 1);
    box.setCheck(3);
    EXPECT_EQ(box.getCheck(), 0);
    box.setCheck(1);
    EXPECT_EQ(box.getCheck(), 1);
    EXPECT_TRUE(seen.empty()) << "setting the check is no click";
}

TEST_F(ImageCheckBoxFixture, IconModeShowsTheIconOfTheState) {
    box.setIcons(kResourceCheckedIcon, kResourceUncheckedIcon);
    ASSERT_TRUE(box.hasIcons());
    const QImage checkedIcon = loadMenuIcon(kResourceCheckedIcon).toImage();
    const QImage uncheckedIcon = loadMenuIcon(kResourceUncheckedIcon).toImage();
    ASSERT_NE(checkedIcon, uncheckedIcon);
    EXPECT_EQ(box.indicatorBox().width(), checkedIcon.width());

    auto looksLike = [](const QImage& shown, const QImage& icon) {
        // Where the icon is opaque, the box shows exactly the icon.
        int compared = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                if (qAlpha(icon.pixel(x, y)) == 255) {
                    ++compared;
                    if (shown.pixel(x, y) != (icon.pixel(x, y) | 0xff000000))
                        return false;
                }
        return compared > 50;
    };
    QTest::mouseClick(&box, Qt::LeftButton, {}, {20, 10});
    EXPECT_TRUE(looksLike(indicatorImage(), checkedIcon)) << "184 after a click";
    QTest::mouseClick(&box, Qt::LeftButton, {}, {20, 10});
    EXPECT_TRUE(looksLike(indicatorImage(), uncheckedIcon)) << "183 after another";
}

TEST_F(ImageCheckBoxFixture, DiscModeColours) {
    box.setColours(QColor(0, 255, 0), Qt::black);
    struct Case {
        const char* state;
        bool checked, enabled;
        QColor centre;
    } cases[] = {
        {"checked", true, true, QColor(0, 255, 0)},
        {"unchecked", false, true, Qt::black},
        {"disabled", true, false, buttonShadowColour()},
    };
    for (const Case& c : cases) {
        box.setCheck(c.checked);
        box.setEnabled(c.enabled);
        const QRect disc = box.indicatorBox();
        EXPECT_EQ(disc.size(), QSize(15, 15)) << c.state;
        const QImage image = grabImage(box);
        EXPECT_EQ(at(image, disc.center().x(), disc.center().y()), QColor(c.centre).rgb())
            << c.state;
        EXPECT_EQ(at(image, disc.center().x(), disc.top()), QColor(Qt::black).rgb())
            << c.state << ": outline";
    }
    // Disabled: the caption embossed, highlight 1 pixel right of and below the shadow.
    const QImage image = grabImage(box);
    const QRect textArea(box.indicatorBox().right() + 2, 0, 160, 22);
    const QRect shadow = boundsOf(image, buttonShadowColour(), textArea);
    const QRect light = boundsOf(image, buttonHighlightColour(), textArea);
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(light.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST_F(ImageCheckBoxFixture, HoverShowsTheFrame) {
    EXPECT_EQ(at(grabImage(box), 0, 11), QColor(buttonFaceColour()).rgb());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&box, &enter);
    ASSERT_TRUE(box.isMouseOver());
    const QImage lit = grabImage(box);
    EXPECT_EQ(at(lit, 0, 11), QColor(Qt::black).rgb()) << "the frame's outline";
    EXPECT_EQ(at(lit, 80, 21), QColor(Qt::black).rgb());
    EXPECT_EQ(at(lit, 2, 11), QColor(buttonHighlightColour()).rgb()) << "the highlighted fill";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&box, &leave);
    EXPECT_FALSE(box.isMouseOver());
}

TEST_F(ImageCheckBoxFixture, LayoutFollowsTheTextSideAndAlignment) {
    // Layout box: 3 pixels in; the mark at its left edge, or at its right with the text left.
    EXPECT_EQ(box.indicatorBox(), QRect(3, (16 - 15) / 2 + 2, 15, 15));
    box.setTextOnLeft(true);
    EXPECT_EQ(box.indicatorBox().right(), 160 - 4);
    const QRect leftText = boundsOf(grabImage(box), buttonTextColour());
    EXPECT_LT(leftText.right(), box.indicatorBox().left() - 3);
    EXPECT_LT(leftText.left(), 10);
    box.setTextAlignment(Qt::AlignRight);
    const QRect rightText = boundsOf(grabImage(box), buttonTextColour());
    EXPECT_GT(rightText.right(), box.indicatorBox().left() - 8);
    EXPECT_EQ(rightText.right() - rightText.left(), leftText.right() - leftText.left());

    box.setDown(true);
    EXPECT_EQ(boundsOf(grabImage(box), buttonTextColour()), rightText.translated(1, 1))
        << "pressed moves the caption";
}

} // namespace
} // namespace quelmarine
