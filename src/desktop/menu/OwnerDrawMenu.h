#pragma once
// The popup menu whose items the program draws itself: a 24 x 24 icon on a grey strip at the
// left, the text on a near-white field, and a black-framed lavender highlight for the item under
// the mouse. Every item is 140 x 48 pixels.

#include <QHash>
#include <QMenu>
#include <QString>
#include <memory>

class QProxyStyle;

namespace quelmarine {

// What one item shows; owned by the caller and valid while the menu is tracked.
struct MenuItemData {
    int normalIcon = 0;
    int selectedIcon = 0;
    QString text;
};

class OwnerDrawMenu : public QMenu {
    Q_OBJECT
  public:
    explicit OwnerDrawMenu(QWidget* parent = nullptr);
    ~OwnerDrawMenu() override;

    // Appends an owner-drawn item that sends `commandId`; `data` may be null (the item is then
    // not painted).
    QAction* appendItem(int commandId, const MenuItemData* data);

    // Shows the menu at `globalPos` and waits for the choice: the chosen command id, or 0 when
    // the menu was dismissed.
    int track(const QPoint& globalPos);

    static QSize measureItem() { return {140, 48}; }
    // Paints one item into `box`.
    static void drawItem(QPainter& painter, const QRect& box, bool highlighted,
                         const MenuItemData& data);

    static constexpr int kIconStripWidth = 25;
    static constexpr int kIconInset = 3;
    static constexpr int kIconSide = 24;
    static constexpr int kTextIndent = 8;
    static QColor highlightColour() { return {177, 185, 207}; }
    static QColor iconStripColour() { return {219, 216, 209}; }
    static QColor textFieldColour() { return {249, 248, 247}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Shrinks the menu's font until every item text fits its text box.
    void fitFontToTexts();

    std::unique_ptr<QProxyStyle> measureStyle;
    QHash<const QAction*, const MenuItemData*> itemData;
};

} // namespace quelmarine
