// HyperlinkStatic: the link, hover and visited colours, the link look after takeover, and what
// a click does when the address opens and when it does not.
#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/HyperlinkErrors.h"
#include "desktop/controls/HyperlinkStatic.h"
#include "desktop/controls/SystemColours.h"

namespace quelmarine {
namespace {

using test::countOf;
using test::grabImage;

struct HyperlinkFixture : ::testing::Test {
    HyperlinkFixture() {
        parent.resize(300, 60);
        link.setGeometry(10, 10, 250, 30);
        link.takeOver();
        link.setOpener([this](const QString& url) {
            opened.push_back(url);
            return result;
        });
        link.setReporter([this](QWidget*, const QString& text) { reports.push_back(text); });
        parent.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }
    int textPixels(const QColor& colour) { return countOf(grabImage(link), colour); }

    test::TestLook look;
    QWidget parent;
    HyperlinkStatic link{"www.example.org", &parent};
    int result = 42;
    std::vector<QString> opened, reports;
};

TEST_F(HyperlinkFixture, TakeOverMakesItLookLikeALink) {
    EXPECT_EQ(link.address(), "www.example.org") << "the text is the address";
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.toolTip(), "www.example.org");
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    const QSize text = QFontMetrics(link.font()).size(Qt::TextSingleLine, link.text());
    EXPECT_EQ(link.geometry(), QRect(QPoint(10, 10), text)) << "fitted, left and top kept";

    HyperlinkStatic right("www.example.org", &parent);
    right.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    right.setGeometry(10, 10, 250, 30);
    right.takeOver();
    EXPECT_EQ(right.geometry().right(), 259) << "right-aligned text keeps its right edge";
    EXPECT_NEAR(right.geometry().center().y(), 25, 1) << "vertically centred stays centred";
}

TEST_F(HyperlinkFixture, ColoursOfLinkHoverAndVisited) {
    ASSERT_NE(selectionHighlightColour(), HyperlinkStatic::linkColour());
    EXPECT_GT(textPixels(HyperlinkStatic::linkColour()), 20);
    EXPECT_EQ(textPixels(HyperlinkStatic::visitedColour()), 0);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), link.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&link, &enter);
    EXPECT_GT(textPixels(selectionHighlightColour()), 20) << "hover";
    EXPECT_EQ(textPixels(HyperlinkStatic::linkColour()), 0);

    QTest::mouseClick(&link, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(opened, std::vector<QString>{"www.example.org"});
    EXPECT_TRUE(link.isVisited());
    EXPECT_GT(textPixels(selectionHighlightColour()), 20) << "hover wins over visited";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_GT(textPixels(HyperlinkStatic::visitedColour()), 20) << "purple once visited";
    EXPECT_TRUE(reports.empty());
}

TEST_F(HyperlinkFixture, AFailedOpenReportsTheMessageOfItsCode) {
    result = kHyperlinkNoAssociation;
    QTest::mouseClick(&link, Qt::LeftButton, {}, {5, 5});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Unable to open hyperlink:\n\nThere is no application associated\n"
                          "with the given filename extension.");
    EXPECT_FALSE(link.isVisited());
    EXPECT_GT(textPixels(HyperlinkStatic::linkColour()) + textPixels(selectionHighlightColour()),
              20);

    result = 32;
    link.followLink();
    ASSERT_EQ(reports.size(), 2u) << "32 is still a failure";
    EXPECT_TRUE(reports[1].endsWith("The specified dynamic-link library was not found."));
    EXPECT_FALSE(link.isVisited());
}

TEST(HyperlinkErrors, MessagesOfTheCodes) {
    const std::pair<int, const char*> cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {26, "A sharing violation occurred. "},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {1, "Unknown Error (1) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(hyperlinkErrorMessage(code), QString(text)) << code;
}

} // namespace
} // namespace quelmarine
