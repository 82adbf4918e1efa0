#include "desktop/menu/OwnerDrawMenu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <algorithm>

#include "desktop/menu/UiArt.h"

namespace quelmarine {

namespace {

// Gives every item the fixed size and the menu no frame or margins, so the items tile it.
class MenuMeasureStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_MenuPanelWidth:
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuTearoffHeight:
        case PM_MenuScrollerHeight:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuItem)
            return OwnerDrawMenu::measureItem();
        if (type == CT_Menu)
            return size;
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

} // namespace

OwnerDrawMenu::OwnerDrawMenu(QWidget* parent)
    : QMenu(parent), measureStyle(std::make_unique<MenuMeasureStyle>()) {
    setStyle(measureStyle.get());
    setContentsMargins(0, 0, 0, 0);
}

OwnerDrawMenu::~OwnerDrawMenu() {
    // The style must outlive the widget's use of it.
    setStyle(nullptr);
}

QAction* OwnerDrawMenu::appendItem(int commandId, const MenuItemData* data) {
    QAction* action = addAction(data ? data->text : QString());
    action->setData(commandId);
    itemData.insert(action, data);
    fitFontToTexts();
    return action;
}

void OwnerDrawMenu::fitFontToTexts() {
    const int room = measureItem().width() - kIconStripWidth - kTextIndent - 2;
    QFont fitted = font();
    auto widest = [&] {
        const QFontMetrics metrics(fitted);
        int width = 0;
        for (const MenuItemData* data : std::as_const(itemData))
            if (data)
                width = std::max(width, metrics.horizontalAdvance(data->text));
        return width;
    };
    while (widest() > room && fitted.pointSizeF() > 6.0)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    if (fitted != font())
        setFont(fitted);
}

int OwnerDrawMenu::track(const QPoint& globalPos) {
    const QAction* chosen = exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

void OwnerDrawMenu::drawItem(QPainter& painter, const QRect& box, bool highlighted,
                             const MenuItemData& data) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int left = box.left(), top = box.top(), width = box.width(), height = box.height();
    if (highlighted) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(left, top, width - 1, height - 1));
        painter.fillRect(box.adjusted(1, 1, -1, -1), highlightColour());
    } else {
        painter.fillRect(QRect(left, top, kIconStripWidth, height), iconStripColour());
        painter.fillRect(QRect(left + kIconStripWidth, top, width - kIconStripWidth, height),
                         textFieldColour());
    }

    QPoint iconAt(left + kIconInset, top + kIconInset);
    if (highlighted)
        iconAt -= QPoint(1, 1);
    const QPixmap icon = loadMenuIcon(highlighted ? data.selectedIcon : data.normalIcon,
                                      painter.device()->devicePixelRatioF());
    if (!icon.isNull())
        painter.drawPixmap(QRect(iconAt, QSize(kIconSide, kIconSide)), icon);

    const QRect textBox(left + kIconStripWidth + kTextIndent, top,
                        width - kIconStripWidth - kTextIndent, height);
    painter.setPen(Qt::black);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, data.text);
    painter.restore();
}

void OwnerDrawMenu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font());
    painter.fillRect(event->rect(), textFieldColour());
    for (const QAction* action : actions()) {
        const MenuItemData* data = itemData.value(action, nullptr);
        if (!data)
            continue;
        const QRect box = actionGeometry(const_cast<QAction*>(action));
        if (box.intersects(event->rect()))
            drawItem(painter, box, action == activeAction(), *data);
    }
}

} // namespace quelmarine
