#include "desktop/controls/HyperlinkStatic.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "desktop/controls/HyperlinkErrors.h"
#include "desktop/controls/SystemColours.h"

namespace quelmarine {

HyperlinkStatic::HyperlinkStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent), hoverColour(selectionHighlightColour()), opener(openWithDesktop),
      reporter([](QWidget* parent, const QString& text) {
          QMessageBox::warning(parent, QCoreApplication::applicationName(), text);
      }) {
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int HyperlinkStatic::openWithDesktop(const QString& url) {
    const QUrl address = QUrl::fromUserInput(url);
    if (!address.isValid() || !QDesktopServices::openUrl(address))
        return kHyperlinkNoAssociation;
    return kHyperlinkOpened + 1;
}

void HyperlinkStatic::takeOver() {
    if (url.isEmpty())
        url = text();
    if (text().isEmpty())
        setText(url);
    QFont linkFont = font();
    linkFont.setUnderline(underline);
    setFont(linkFont);
    if (adjustToFit)
        fitToText();
    setCursor(Qt::PointingHandCursor);
    setToolTip(url);
}

void HyperlinkStatic::fitToText() {
    const QSize textSize = QFontMetrics(font()).size(Qt::TextSingleLine, text());
    const QRect old = geometry();
    QRect box(old.topLeft(), textSize);
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignRight)
        box.moveLeft(old.left() + old.width() - textSize.width());
    else if (align & Qt::AlignHCenter)
        box.moveLeft(old.left() + (old.width() - textSize.width()) / 2);
    if (align & Qt::AlignVCenter)
        box.moveTop(old.top() + (old.height() - textSize.height()) / 2);
    setGeometry(box);
}

void HyperlinkStatic::setVisited(bool value) {
    visited = value;
    update();
}

QColor HyperlinkStatic::currentColour() const {
    if (mouseOver)
        return hoverColour;
    return visited ? visitedColour() : linkColour();
}

void HyperlinkStatic::setMouseOver(bool over) {
    if (mouseOver == over)
        return;
    mouseOver = over;
    repaint();
}

void HyperlinkStatic::paintEvent(QPaintEvent*) {
    // Transparent background: only the text is drawn.
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(currentColour());
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}

void HyperlinkStatic::enterEvent(QEnterEvent* event) {
    setMouseOver(true);
    QLabel::enterEvent(event);
}

void HyperlinkStatic::leaveEvent(QEvent* event) {
    setMouseOver(false);
    QLabel::leaveEvent(event);
}

void HyperlinkStatic::mouseMoveEvent(QMouseEvent* event) {
    setMouseOver(rect().contains(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void HyperlinkStatic::mousePressEvent(QMouseEvent* event) {
    pressedInside = event->button() == Qt::LeftButton;
    event->accept();
}

void HyperlinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressedInside && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressedInside = false;
    event->accept();
    if (click)
        followLink();
}

void HyperlinkStatic::followLink() {
    const int result = opener ? opener(url) : kHyperlinkNoAssociation;
    if (result > kHyperlinkOpened) {
        setVisited(true);
        return;
    }
    QApplication::beep();
    if (reporter)
        reporter(window(), hyperlinkErrorReport(result));
}

} // namespace quelmarine
