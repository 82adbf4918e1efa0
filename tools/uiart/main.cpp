// Draws the popup menu icons and the mode cursors as PNG files.
//
// Usage: quelmarine_uiart <output folder>
//        quelmarine_uiart --app-icon <file.png> <side>
// Writes <folder>/icons/<id>.png (24 x 24; the check-box marks 16 x 16) and
// <folder>/cursors/<id>.png (32 x 32), and each once more at twice the size for HiDPI screens
// (<id>@2x.png, drawn at that size, not scaled up). Every cursor carries its hot spot in the
// PNG text entry "HotSpot" as "x,y", in the pixels of its own picture.

#include "res/ResourceIds.h"
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

namespace {

constexpr int kIconSide = 24;
constexpr int kCursorSide = 32;
constexpr int kCheckMarkSide = 16;

const QColor kOutline(28, 36, 58);
const QColor kWater(64, 150, 214);
const QColor kFishBody(246, 150, 52);
const QColor kFishBelly(255, 214, 120);
const QColor kFood(150, 96, 48);
const QColor kGlass(210, 236, 255, 170);
const QColor kMetal(96, 104, 122);
const QColor kSkin(255, 222, 186);

QPen outlinePen(double width = 1.2) {
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A small side-on fish facing left, fitted into `box`.
void drawFish(QPainter& p, const QRectF& box, const QColor& body = kFishBody) {
    const double w = box.width(), h = box.height();
    const double x = box.left(), y = box.top();
    QPainterPath tail;
    tail.moveTo(x + w * 0.70, y + h * 0.50);
    tail.lineTo(x + w * 1.00, y + h * 0.12);
    tail.quadTo(x + w * 0.90, y + h * 0.50, x + w * 1.00, y + h * 0.88);
    tail.closeSubpath();
    QLinearGradient tailShade(box.topRight(), box.bottomRight());
    tailShade.setColorAt(0, body.lighter(115));
    tailShade.setColorAt(1, body.darker(125));
    p.setPen(outlinePen());
    p.setBrush(tailShade);
    p.drawPath(tail);

    QPainterPath fish;
    fish.moveTo(x, y + h * 0.52);
    fish.cubicTo(x + w * 0.18, y - h * 0.02, x + w * 0.62, y + h * 0.04, x + w * 0.76,
                 y + h * 0.50);
    fish.cubicTo(x + w * 0.62, y + h * 0.96, x + w * 0.18, y + h * 1.02, x, y + h * 0.52);
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, body.lighter(110));
    shade.setColorAt(0.55, body);
    shade.setColorAt(1, kFishBelly);
    p.setBrush(shade);
    p.drawPath(fish);

    // Gill line, fin and eye.
    p.setPen(QPen(body.darker(150), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x + w * 0.20, y + h * 0.25, w * 0.12, h * 0.5), 90 * 16 + 600, -1200 * 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double eye = std::max(2.0, h * 0.24);
    p.drawEllipse(QPointF(x + w * 0.13, y + h * 0.42), eye * 0.5, eye * 0.5);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(x + w * 0.12, y + h * 0.42), eye * 0.27, eye * 0.27);
}

// A magnifying glass with its lens centred at `centre`.
void drawMagnifier(QPainter& p, QPointF centre, double radius, bool plus, bool pressed) {
    const QPointF handleStart = centre + QPointF(radius * 0.72, radius * 0.72);
    const QPointF handleEnd = centre + QPointF(radius * 1.75, radius * 1.75);
    p.setPen(QPen(kOutline, radius * 0.62, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleStart, handleEnd);
    p.setPen(QPen(QColor(120, 72, 40), radius * 0.38, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleStart + QPointF(radius * 0.2, radius * 0.2), handleEnd);

    QRadialGradient lens(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    lens.setColorAt(0, pressed ? QColor(170, 215, 255, 230) : QColor(255, 255, 255, 220));
    lens.setColorAt(1, pressed ? QColor(60, 140, 220, 220) : kGlass);
    p.setBrush(lens);
    p.setPen(QPen(kMetal, std::max(1.4, radius * 0.26)));
    p.drawEllipse(centre, radius, radius);

    p.setPen(QPen(plus ? QColor(20, 120, 40) : QColor(190, 30, 30), std::max(1.5, radius * 0.28),
                  Qt::SolidLine, Qt::RoundCap));
    const double arm = radius * 0.5;
    p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    if (plus)
        p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

// A food shaker with its spout at `spout`; the can reaches away from the spout at `angle`
// degrees (clockwise from +x).
void drawShaker(QPainter& p, QPointF spout, double scale, double angle, bool pouring) {
    p.save();
    p.translate(spout);
    p.scale(scale, scale);
    p.rotate(angle);
    QLinearGradient can(QPointF(0, -5), QPointF(0, 5));
    can.setColorAt(0, QColor(255, 236, 140));
    can.setColorAt(0.5, QColor(240, 190, 40));
    can.setColorAt(1, QColor(190, 130, 20));
    p.setPen(outlinePen(0.9));
    p.setBrush(can);
    p.drawRoundedRect(QRectF(4, -5, 13, 10), 1.5, 1.5);
    p.setBrush(QColor(210, 60, 50));
    p.drawRect(QRectF(1.5, -4.2, 3, 8.4));
    p.setBrush(QColor(255, 255, 255, 200));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(8, -3.4, 6, 1.6));
    p.restore();
    if (pouring) {
        p.setPen(Qt::NoPen);
        p.setBrush(kFood);
        const QPointF flakes[] = {{1.5, 3.0}, {-1.0, 6.5}, {2.5, 9.0}, {-2.5, 11.5}};
        for (const auto& f : flakes)
            p.drawEllipse(spout + f * scale * 0.9, 1.2 * scale, 1.0 * scale);
    }
}

// A pointing hand whose fingertip is at `tip` (finger pointing up-left).
void drawHand(QPainter& p, QPointF tip, bool pressed) {
    p.save();
    p.translate(tip);
    p.rotate(-30);
    QPainterPath hand;
    // Index finger from the tip downwards, then the fist.
    hand.moveTo(-2.2, 1.5);
    hand.quadTo(-2.2, -0.6, 0, -0.6);
    hand.quadTo(2.2, -0.6, 2.2, 1.5);
    hand.lineTo(2.2, 9.5);
    hand.quadTo(5.5, 8.5, 7.5, 10.5);
    hand.quadTo(9.5, 12, 9.0, 16);
    hand.lineTo(8.5, 19);
    hand.quadTo(7.5, 23, 2.5, 23.5);
    hand.lineTo(-2.5, 23.5);
    hand.quadTo(-6.5, 22.5, -7.5, 17.5);
    hand.lineTo(-8.2, 13.0);
    hand.quadTo(-8.0, 10.8, -5.8, 11.5);
    hand.lineTo(-2.2, 13.5);
    hand.closeSubpath();
    p.setPen(outlinePen(1.3));
    p.setBrush(pressed ? kSkin.darker(112) : kSkin);
    p.drawPath(hand);
    p.setPen(QPen(kOutline, 0.9));
    p.drawLine(QPointF(2.2, 12.5), QPointF(8.6, 13.5));
    p.drawLine(QPointF(2.2, 16.0), QPointF(8.8, 16.8));
    p.drawLine(QPointF(-2.2, 9.5), QPointF(-2.2, 13.0));
    p.restore();
    if (pressed) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 130, 230), 1.3));
        p.drawEllipse(tip, 3.5, 3.5);
        p.setPen(QPen(QColor(40, 130, 230, 140), 1.1));
        p.drawEllipse(tip, 6.0, 6.0);
    }
}

QImage blank(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

using Painting = std::function<void(QPainter&)>;

// The picture drawn on a `side` grid, `scale` pixels to a grid unit (2: for HiDPI screens).
QImage paint(int side, const Painting& draw, int scale = 1) {
    QImage image = blank(side * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p);
    return image;
}

// "<id>.png", or "<id>@2x.png" at twice the size (the name Qt gives HiDPI variants).
QString fileName(int id, int scale) {
    return scale == 1 ? QString("%1.png").arg(id) : QString("%1@%2x.png").arg(id).arg(scale);
}

// ---- the menu icons ----

void iconFeed(QPainter& p) {
    drawShaker(p, QPointF(7, 9), 0.95, -40, true);
    // Water line under the pellets.
    p.setPen(QPen(kWater, 1.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath wave;
    wave.moveTo(2, 21);
    wave.cubicTo(6, 18.5, 9, 23.5, 13, 21);
    wave.cubicTo(17, 18.5, 19, 23.5, 22, 21);
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void iconTouch(QPainter& p) {
    drawFish(p, QRectF(1, 4, 16, 10));
    // Motion streaks behind the fleeing fish.
    p.setPen(QPen(kWater, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 6), QPointF(23, 6));
    p.drawLine(QPointF(19.5, 9), QPointF(23, 9));
    p.drawLine(QPointF(19, 12), QPointF(23, 12));
    p.save();
    p.translate(10, 13);
    p.scale(0.45, 0.45);
    drawHand(p, QPointF(0, 0), false);
    p.restore();
}

void iconZoomIn(QPainter& p) {
    drawMagnifier(p, QPointF(9.5, 9.5), 7, true, false);
}
void iconZoomOut(QPainter& p) {
    drawMagnifier(p, QPointF(9.5, 9.5), 7, false, false);
}

void iconAddDelete(QPainter& p) {
    drawFish(p, QRectF(1, 2, 17, 11), QColor(90, 170, 240));
    drawFish(p, QRectF(6, 11, 15, 10));
    // A plus and a minus badge.
    p.setPen(QPen(QColor(20, 130, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 2.5), QPointF(19, 8.5));
    p.drawLine(QPointF(16, 5.5), QPointF(22, 5.5));
    p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.5, 20.5), QPointF(6.5, 20.5));
}

void iconMusic(QPainter& p) {
    const QColor note(110, 50, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(note);
    p.save();
    p.translate(6.5, 18.5);
    p.rotate(-25);
    p.drawEllipse(QPointF(0, 0), 3.6, 2.6);
    p.restore();
    p.save();
    p.translate(17.5, 16);
    p.rotate(-25);
    p.drawEllipse(QPointF(0, 0), 3.6, 2.6);
    p.restore();
    p.setPen(QPen(note, 1.6));
    p.drawLine(QPointF(9.6, 17.8), QPointF(9.6, 4.5));
    p.drawLine(QPointF(20.6, 15.3), QPointF(20.6, 2.0));
    QPainterPath beam;
    beam.moveTo(9.6, 4.5);
    beam.lineTo(20.6, 2.0);
    beam.lineTo(20.6, 5.2);
    beam.lineTo(9.6, 7.7);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(beam);
}

void iconBackground(QPainter& p) {
    const QRectF frame(1.5, 3.5, 21, 17);
    p.setPen(QPen(QColor(120, 80, 40), 2));
    QLinearGradient sea(frame.topLeft(), frame.bottomLeft());
    sea.setColorAt(0, QColor(120, 200, 250));
    sea.setColorAt(1, QColor(20, 90, 170));
    p.setBrush(sea);
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 235, 120));
    p.drawEllipse(QPointF(17, 8), 2.4, 2.4);
    QPainterPath dunes;
    dunes.moveTo(2.5, 19.5);
    dunes.lineTo(2.5, 15);
    dunes.cubicTo(7, 11, 10, 17, 13, 14);
    dunes.cubicTo(16, 11.5, 19, 15, 21.5, 13.5);
    dunes.lineTo(21.5, 19.5);
    dunes.closeSubpath();
    p.setBrush(QColor(226, 198, 130));
    p.drawPath(dunes);
    p.setPen(QPen(QColor(40, 140, 60), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath weed;
    weed.moveTo(6, 18);
    weed.cubicTo(4.5, 15, 7.5, 12, 6, 8.5);
    p.drawPath(weed);
}

void iconExit(QPainter& p) {
    // A door with an arrow leaving through it.
    p.setPen(outlinePen(1.2));
    p.setBrush(QColor(170, 110, 60));
    p.drawRect(QRectF(3, 2.5, 11, 19));
    p.setBrush(QColor(120, 70, 35));
    QPainterPath leaf;
    leaf.moveTo(3, 2.5);
    leaf.lineTo(10, 5);
    leaf.lineTo(10, 23.5);
    leaf.lineTo(3, 21.5);
    leaf.closeSubpath();
    p.drawPath(leaf);
    p.setBrush(QColor(255, 220, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8.3, 13), 0.9, 0.9);
    p.setPen(QPen(QColor(200, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12.5, 12), QPointF(22, 12));
    p.drawLine(QPointF(18.5, 8.5), QPointF(22, 12));
    p.drawLine(QPointF(18.5, 15.5), QPointF(22, 12));
}

// ---- the check-box marks: a sunken rounded box, empty or holding a green tick ----

void checkMarkBox(QPainter& p, bool checked) {
    const QRectF box(1.5, 1.5, 13, 13);
    QLinearGradient well(box.topLeft(), box.bottomRight());
    well.setColorAt(0, checked ? QColor(214, 246, 214) : QColor(226, 230, 236));
    well.setColorAt(1, QColor(255, 255, 255));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(well);
    p.drawRoundedRect(box, 2.5, 2.5);
    // Inner shadow along the top and left.
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.drawLine(QPointF(3, 2.8), QPointF(13, 2.8));
    p.drawLine(QPointF(2.8, 3), QPointF(2.8, 13));
    if (!checked)
        return;
    QPainterPath tick;
    tick.moveTo(4.0, 8.2);
    tick.lineTo(6.8, 11.2);
    tick.lineTo(12.2, 4.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 80, 20), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(QColor(40, 190, 60), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

// ---- the application icon, drawn on a 64 x 64 grid and scaled to the wanted side ----

void appIcon(QPainter& p) {
    // A rounded tank of deep water, light from above, sand, a weed, two fish and bubbles.
    const QRectF tank(3, 5, 58, 54);
    QLinearGradient water(tank.topLeft(), tank.bottomLeft());
    water.setColorAt(0, QColor(92, 190, 240));
    water.setColorAt(0.6, QColor(24, 104, 176));
    water.setColorAt(1, QColor(12, 58, 116));
    p.setPen(QPen(kOutline, 2.5));
    p.setBrush(water);
    p.drawRoundedRect(tank, 9, 9);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(tank.adjusted(1.2, 1.2, -1.2, -1.2), 8, 8);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    QPainterPath ray;
    ray.moveTo(14, 5);
    ray.lineTo(24, 5);
    ray.lineTo(36, 59);
    ray.lineTo(22, 59);
    ray.closeSubpath();
    p.drawPath(ray);
    QPainterPath sand;
    sand.moveTo(3, 60);
    sand.lineTo(3, 50);
    sand.cubicTo(16, 44, 26, 53, 38, 49);
    sand.cubicTo(48, 46, 56, 50, 61, 48);
    sand.lineTo(61, 60);
    sand.closeSubpath();
    p.setBrush(QColor(226, 198, 130));
    p.drawPath(sand);
    p.setPen(QPen(QColor(40, 150, 70), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath weed;
    weed.moveTo(51, 50);
    weed.cubicTo(47, 42, 55, 36, 50, 26);
    p.drawPath(weed);
    p.restore();
    drawFish(p, QRectF(10, 17, 30, 17));
    drawFish(p, QRectF(33, 36, 16, 9), QColor(240, 90, 110));
    p.setPen(QPen(QColor(230, 246, 255), 1.3));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(44, 20), 2.6, 2.6);
    p.drawEllipse(QPointF(47, 13), 1.9, 1.9);
    p.drawEllipse(QPointF(44.5, 8.5), 1.3, 1.3);
}

// ---- the cursors (hot spot returned through `hot`) ----

void cursorTouch(QPainter& p, bool pressed) {
    drawHand(p, QPointF(9, 3), pressed);
}
void cursorFeed(QPainter& p, bool pressed) {
    drawShaker(p, QPointF(8, 8), 1.2, 45, false);
    if (pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(kFood);
        const QPointF flakes[] = {{6.5, 1.5}, {1.5, 7}, {7, 5.5}, {5, 9.5}};
        for (const auto& f : flakes)
            p.drawEllipse(f, 1.3, 1.1);
    }
    // A small crosshair marks where the food lands.
    p.setPen(QPen(QColor(255, 255, 255, 220), 2.2));
    p.drawLine(QPointF(0.5, 3), QPointF(5.5, 3));
    p.drawLine(QPointF(3, 0.5), QPointF(3, 5.5));
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(0.5, 3), QPointF(5.5, 3));
    p.drawLine(QPointF(3, 0.5), QPointF(3, 5.5));
}
void cursorZoom(QPainter& p, bool plus, bool pressed) {
    drawMagnifier(p, QPointF(11, 11), pressed ? 8.5 : 9, plus, pressed);
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Each picture is written twice: at its size and at twice its size, drawn afresh at each.
constexpr int kScales[] = {1, 2};

bool saveCursor(const QString& folder, int id, QPoint hot, const Painting& draw) {
    bool ok = true;
    for (int scale : kScales) {
        QImage image = paint(kCursorSide, draw, scale);
        image.setText("HotSpot", QString("%1,%2").arg(hot.x() * scale).arg(hot.y() * scale));
        ok &= save(image, QString("%1/cursors/%2").arg(folder, fileName(id, scale)));
    }
    return ok;
}

bool saveIcon(const QString& folder, int id, const Painting& draw, int side = kIconSide) {
    bool ok = true;
    for (int scale : kScales)
        ok &=
            save(paint(side, draw, scale), QString("%1/icons/%2").arg(folder, fileName(id, scale)));
    return ok;
}

} // namespace

// "--app-icon FILE SIDE": only the application icon, SIDE pixels square.
int writeAppIcon(const char* file, const char* sideText) {
    const int side = std::atoi(sideText);
    if (side < 16 || side > 1024) {
        std::fprintf(stderr, "icon side %s is not 16 ... 1024\n", sideText);
        return 2;
    }
    const QImage icon = paint(side, [side](QPainter& p) {
        p.scale(side / 64.0, side / 64.0);
        appIcon(p);
    });
    return save(icon, QString::fromLocal8Bit(file)) ? 0 : 1;
}

int main(int argc, char** argv) {
    using namespace quelmarine;
    if (argc == 4 && std::string_view(argv[1]) == "--app-icon")
        return writeAppIcon(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder + "/icons") || !QDir().mkpath(folder + "/cursors")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    ok &= saveIcon(folder, kResourceFeedIcon, iconFeed);
    ok &= saveIcon(folder, kResourceTouchIcon, iconTouch);
    ok &= saveIcon(folder, kResourceZoomInIcon, iconZoomIn);
    ok &= saveIcon(folder, kResourceZoomOutIcon, iconZoomOut);
    ok &= saveIcon(folder, kResourceAddDeleteIcon, iconAddDelete);
    ok &= saveIcon(folder, kResourceMusicIcon, iconMusic);
    ok &= saveIcon(folder, kResourceBackgroundIcon, iconBackground);
    ok &= saveIcon(folder, kResourceExitIcon, iconExit);
    ok &= saveIcon(
        folder, kResourceUncheckedIcon, [](QPainter& p) { checkMarkBox(p, false); },
        kCheckMarkSide);
    ok &= saveIcon(
        folder, kResourceCheckedIcon, [](QPainter& p) { checkMarkBox(p, true); }, kCheckMarkSide);

    ok &= saveCursor(folder, kResourceTouchCursor, {9, 3},
                     [](QPainter& p) { cursorTouch(p, false); });
    ok &= saveCursor(folder, kResourceTouchCursorDown, {9, 3},
                     [](QPainter& p) { cursorTouch(p, true); });
    ok &=
        saveCursor(folder, kResourceFeedCursor, {3, 3}, [](QPainter& p) { cursorFeed(p, false); });
    ok &= saveCursor(folder, kResourceFeedCursorDown, {3, 3},
                     [](QPainter& p) { cursorFeed(p, true); });
    ok &= saveCursor(folder, kResourceZoomInCursor, {11, 11},
                     [](QPainter& p) { cursorZoom(p, true, false); });
    ok &= saveCursor(folder, kResourceZoomInCursorDown, {11, 11},
                     [](QPainter& p) { cursorZoom(p, true, true); });
    ok &= saveCursor(folder, kResourceZoomOutCursor, {11, 11},
                     [](QPainter& p) { cursorZoom(p, false, false); });
    ok &= saveCursor(folder, kResourceZoomOutCursorDown, {11, 11},
                     [](QPainter& p) { cursorZoom(p, false, true); });
    return ok ? 0 : 1;
}
