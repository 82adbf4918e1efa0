// CustomSlider: the solid and the dragged thumb, the channel frame and the two end dots.
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/CustomSlider.h"

namespace quelmarine {
namespace {

using test::at;
using test::countOf;
using test::grabImage;

const QColor kRed(255, 0, 0), kGreen(0, 255, 0);

TEST(CustomSliderPaint, ThumbChannelAndDotsOfBothOrientations) {
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        CustomSlider slider(orientation);
        slider.setRange(0, 1000);
        slider.setValue(500);
        slider.resize(orientation == Qt::Horizontal ? QSize(200, 30) : QSize(30, 200));
        slider.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
        const QImage image = grabImage(slider);
        const char* name = orientation == Qt::Horizontal ? "horizontal" : "vertical";

        const QRect thumb = slider.thumbBox();
        ASSERT_GE(thumb.width(), 6) << name;
        const QPoint middle = thumb.center();
        EXPECT_EQ(at(image, middle.x(), middle.y()), QColor(kRed).rgb())
            << name << ": solid red thumb";
        EXPECT_GT(countOf(image, kGreen, QRect(thumb.left(), middle.y(), 3, 1)), 0)
            << name << ": green outline at the thumb's edge";

        const QRect channel = slider.channelBox().adjusted(1, 1, -1, -1);
        EXPECT_EQ(at(image, channel.left(), channel.top()), QColor(kGreen).rgb())
            << name << ": channel frame";
        EXPECT_EQ(at(image, channel.right(), channel.bottom()), QColor(kGreen).rgb()) << name;

        const QRect minDot = slider.minimumDotBox(), maxDot = slider.maximumDotBox();
        EXPECT_EQ(minDot, QRect(1, 1, 7, 7)) << name;
        if (orientation == Qt::Horizontal)
            EXPECT_EQ(maxDot, QRect(200 - 8, 1, 7, 7));
        else
            EXPECT_EQ(maxDot, QRect(1, 200 - 8, 7, 7));
        EXPECT_EQ(at(image, minDot.center().x(), minDot.center().y()), QColor(Qt::white).rgb())
            << name;
        EXPECT_EQ(at(image, maxDot.center().x(), maxDot.center().y()), QColor(kGreen).rgb())
            << name;
        EXPECT_EQ(at(image, minDot.center().x(), minDot.top()), QColor(kRed).rgb())
            << name << ": red pen";
        EXPECT_EQ(at(image, maxDot.center().x(), maxDot.top()), QColor(kRed).rgb())
            << name << ": red pen";
    }
}

TEST(CustomSliderPaint, DraggedThumbIsARedAndGreenCheckerboard) {
    CustomSlider slider;
    slider.setRange(0, 100);
    slider.setValue(30);
    slider.resize(200, 30);
    slider.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
    slider.setSliderDown(true);
    const QImage image = grabImage(slider);
    const QPoint c = slider.thumbBox().center();
    // Neighbours alternate between the two colours in both directions.
    const QColor here = QColor::fromRgb(at(image, c.x(), c.y()));
    ASSERT_TRUE(here == kRed || here == kGreen);
    const QColor other = here == kRed ? kGreen : kRed;
    EXPECT_EQ(at(image, c.x() + 1, c.y()), QColor(other).rgb());
    EXPECT_EQ(at(image, c.x(), c.y() + 1), QColor(other).rgb());
    EXPECT_EQ(at(image, c.x() + 1, c.y() + 1), QColor(here).rgb());
    slider.setSliderDown(false);
    const QImage released = grabImage(slider);
    EXPECT_EQ(at(released, c.x(), c.y()), QColor(kRed).rgb());
    EXPECT_EQ(at(released, c.x() + 1, c.y()), QColor(kRed).rgb());
}

} // namespace
} // namespace quelmarine
