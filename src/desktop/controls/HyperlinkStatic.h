#pragma once
// A line of text that looks and acts like a web link: link colour and underline, the hand
// cursor, a tooltip with the address, the highlight colour under the mouse and purple once
// visited. A click opens the address in the user's browser; when that fails the user hears a
// beep and reads why.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <functional>

namespace quelmarine {

class HyperlinkStatic : public QLabel {
    Q_OBJECT
  public:
    explicit HyperlinkStatic(const QString& text = {}, QWidget* parent = nullptr);

    // Opens an address and returns the result: above 32 when it opened, else a failure code.
    using Opener = std::function<int(const QString& url)>;
    // Shows the failure report (text as given) to the user.
    using Reporter = std::function<void(QWidget* parent, const QString& text)>;
    // Opens with the desktop's handler for the address; 31 when there is none.
    static int openWithDesktop(const QString& url);

    // Makes the control a link: an empty address takes the text, an empty text the address;
    // the underlined link font; with `adjustToFit`, the box fits the text (kept at its left,
    // right or centre as the text is aligned); the hand cursor and the tooltip. Call after the
    // text, the address and the box are set.
    void takeOver();

    void setUrl(const QString& address) { url = address; }
    QString address() const { return url; }
    void setUnderline(bool on) { underline = on; }
    void setAdjustToFit(bool on) { adjustToFit = on; }
    void setVisited(bool value);
    bool isVisited() const { return visited; }
    bool isMouseOver() const { return mouseOver; }
    // Replaceable for tests.
    void setOpener(Opener open) { opener = std::move(open); }
    void setReporter(Reporter report) { reporter = std::move(report); }

    static QColor linkColour() { return {0, 0, 238}; }
    static QColor visitedColour() { return {85, 26, 139}; }
    // The colour the text is drawn in now.
    QColor currentColour() const;

    // What a click does: open, then mark visited or beep and report.
    void followLink();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void setMouseOver(bool over);
    void fitToText();

    QColor hoverColour;
    bool mouseOver = false;
    bool visited = false;
    bool underline = true;
    bool adjustToFit = true;
    bool pressedInside = false;
    QString url;
    Opener opener;
    Reporter reporter;
};

} // namespace quelmarine
