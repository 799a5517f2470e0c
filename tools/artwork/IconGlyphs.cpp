#include "IconGlyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>
#include <map>

namespace art {
namespace {

// Every glyph is drawn on a 24 x 24 grid, scaled to its box.
constexpr qreal kGrid = 24.0;
constexpr qreal kPi = 3.14159265358979323846;

// Drawing helpers in grid units. Lines use the ink with round caps and joins; the width stays
// the same number of pixels whatever the box's size.
class Pen {
public:
    Pen(QPainter& painter, QColor inkColor, QColor paperColor, qreal strokeUnits)
        : p(painter), ink(inkColor), paper(paperColor), stroke(strokeUnits) {}

    void Lines(std::initializer_list<QPointF> points) const {
        Outline();
        p.drawPolyline(QPolygonF(QList<QPointF>(points)));
    }
    void Closed(std::initializer_list<QPointF> points) const {
        Outline();
        p.drawPolygon(QPolygonF(QList<QPointF>(points)));
    }
    void Filled(std::initializer_list<QPointF> points) const {
        Solid();
        p.drawPolygon(QPolygonF(QList<QPointF>(points)));
    }
    void Circle(QPointF centre, qreal radius) const {
        Outline();
        p.drawEllipse(centre, radius, radius);
    }
    void Dot(QPointF centre, qreal radius) const {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(centre, radius, radius);
    }
    void Box(const QRectF& rect, qreal radius) const {
        Outline();
        p.drawRoundedRect(rect, radius, radius);
    }
    void FilledBox(const QRectF& rect, qreal radius) const {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(rect, radius, radius);
    }
    // Clears an area to the paper colour, so a glyph laid over another stands apart.
    void Clear(const QPainterPath& area) const {
        p.setPen(QPen(paper, stroke * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(paper);
        p.drawPath(area);
    }
    void Stroke(const QPainterPath& path) const {
        Outline();
        p.drawPath(path);
    }
    void Fill(const QPainterPath& path) const {
        Solid();
        p.drawPath(path);
    }
    // An arc around `centre`, angles in degrees counter-clockwise from three o'clock.
    void Arc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees) const {
        QPainterPath path;
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        path.arcMoveTo(box, startDegrees);
        path.arcTo(box, startDegrees, sweepDegrees);
        Stroke(path);
    }
    void Text(const QRectF& rect, const QString& text, qreal size) const {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(static_cast<int>(size));
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(rect, Qt::AlignCenter, text);
    }

    QPainter& p;
    QColor ink;
    QColor paper;
    qreal stroke;

private:
    void Outline() const {
        p.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    void Solid() const {
        p.setPen(QPen(ink, stroke * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(ink);
    }
};

// ---- Shared parts -------------------------------------------------------------------------

void Speaker(const Pen& pen) {
    pen.Filled({{2.5, 9}, {6.5, 9}, {11.5, 4.5}, {11.5, 19.5}, {6.5, 15}, {2.5, 15}});
}

void Plus(const Pen& pen, QPointF centre, qreal arm) {
    pen.Lines({{centre.x() - arm, centre.y()}, {centre.x() + arm, centre.y()}});
    pen.Lines({{centre.x(), centre.y() - arm}, {centre.x(), centre.y() + arm}});
}

void Minus(const Pen& pen, QPointF centre, qreal arm) {
    pen.Lines({{centre.x() - arm, centre.y()}, {centre.x() + arm, centre.y()}});
}

// An arrow from `from` to `to` with an open head.
void Arrow(const Pen& pen, QPointF from, QPointF to, qreal head) {
    pen.Lines({from, to});
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF u(d.x() / length, d.y() / length);
    const QPointF n(-u.y(), u.x());
    pen.Lines({to - u * head + n * head, to, to - u * head - n * head});
}

// A filled triangle pointing along x: tip at `tip`, base `depth` behind it, `half` wide.
void Triangle(const Pen& pen, QPointF tip, qreal depth, qreal half) {
    pen.Filled({tip, {tip.x() - depth, tip.y() - half}, {tip.x() - depth, tip.y() + half}});
}

// The four panes of a desktop system's logo.
void Panes(const Pen& pen, QPointF topLeft, qreal pane, qreal gap) {
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            pen.FilledBox(QRectF(topLeft.x() + column * (pane + gap),
                                 topLeft.y() + row * (pane + gap), pane, pane),
                          0.6);
        }
    }
}

// A padlock whose body's top left corner is at `at`.
void Padlock(const Pen& pen, QPointF at, qreal width, bool clearBehind) {
    const qreal height = width * 0.8;
    const QRectF body(at.x(), at.y(), width, height);
    QPainterPath shackle;
    const qreal inset = width * 0.22;
    shackle.moveTo(at.x() + inset, at.y());
    shackle.lineTo(at.x() + inset, at.y() - width * 0.25);
    shackle.arcTo(
        QRectF(at.x() + inset, at.y() - width * 0.55, width - 2 * inset, width - 2 * inset), 180,
        -180);
    shackle.lineTo(at.x() + width - inset, at.y());
    if (clearBehind) {
        QPainterPath area;
        area.addRoundedRect(body, 1.2, 1.2);
        area.addPath(shackle);
        pen.Clear(area);
    }
    pen.Stroke(shackle);
    pen.FilledBox(body, 1.2);
    pen.p.setBrush(pen.paper);
    pen.p.setPen(Qt::NoPen);
    pen.p.drawEllipse(QPointF(body.center().x(), body.center().y() - 0.3), width * 0.09,
                      width * 0.09);
}

// A clock face with its hands at ten past.
void Clock(const Pen& pen, QPointF centre, qreal radius, bool clearBehind) {
    if (clearBehind) {
        QPainterPath area;
        area.addEllipse(centre, radius, radius);
        pen.Clear(area);
    }
    pen.Circle(centre, radius);
    pen.Lines({{centre.x(), centre.y() - radius * 0.6},
               centre,
               {centre.x() + radius * 0.5, centre.y() + radius * 0.15}});
}

// A sun: a disc with eight rays.
void Sun(const Pen& pen, QPointF centre, qreal disc, qreal rayFrom, qreal rayTo) {
    pen.Circle(centre, disc);
    for (int ray = 0; ray < 8; ++ray) {
        const qreal angle = ray * kPi / 4;
        const QPointF d(std::cos(angle), std::sin(angle));
        pen.Lines({centre + d * rayFrom, centre + d * rayTo});
    }
}

// A sine wave across x0..x1 with `periods` periods.
void Wave(const Pen& pen, qreal x0, qreal x1, qreal y, qreal amplitude, qreal periods) {
    QPainterPath path;
    constexpr int kSteps = 48;
    for (int step = 0; step <= kSteps; ++step) {
        const qreal t = static_cast<qreal>(step) / kSteps;
        const QPointF point(x0 + (x1 - x0) * t, y - amplitude * std::sin(2 * kPi * periods * t));
        if (step == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    pen.Stroke(path);
}

// Eight dots on a ring: the light show of the demonstration.
void DotRing(const Pen& pen, QPointF centre, qreal radius) {
    for (int dot = 0; dot < 8; ++dot) {
        const qreal angle = dot * kPi / 4 + kPi / 8;
        pen.Dot(centre + QPointF(std::cos(angle), std::sin(angle)) * radius, 1.35);
    }
}

// A key cap seen from the front.
void KeyCapOutline(const Pen& pen, const QRectF& rect) {
    pen.Box(rect, 2.2);
}

// The Bluetooth rune with the number of the device beside it.
void BluetoothDevice(const Pen& pen, int number) {
    pen.Lines({{2.5, 7.5}, {13.5, 16.5}, {8, 21.5}, {8, 2.5}, {13.5, 7.5}, {2.5, 16.5}});
    pen.Text(QRectF(13, 9, 11, 15), QString::number(number), 13);
}

// "Fn" with an arrow to the side of the Fn key, as the main window's layer buttons show it.
void FnKey(const Pen& pen, bool left) {
    pen.Text(QRectF(left ? 6 : 0, 3, 18, 18), QStringLiteral("Fn"), 13);
    if (left) {
        Triangle(pen, {1.5, 12}, -4.5, 3.5);
    } else {
        Triangle(pen, {22.5, 12}, 4.5, 3.5);
    }
}

// ---- The glyphs by HW code ----------------------------------------------------------------

using GlyphDrawer = std::function<void(const Pen&)>;

const std::map<int, GlyphDrawer>& Glyphs() {
    static const std::map<int, GlyphDrawer> glyphs{
        // Multimedia: media keys.
        {115,  // Media Select: a pair of notes
         [](const Pen& pen) {
             QPainterPath heads;
             heads.addEllipse(QPointF(7.5, 18.5), 3.4, 2.6);
             heads.addEllipse(QPointF(17.5, 16.5), 3.4, 2.6);
             pen.Fill(heads);
             pen.Lines({{10.6, 18.2}, {10.6, 5.5}});
             pen.Lines({{20.6, 16.2}, {20.6, 3.5}});
             pen.Filled({{10.6, 5.5}, {20.6, 3.5}, {20.6, 7}, {10.6, 9}});
         }},
        {111,  // Play/Pause
         [](const Pen& pen) {
             Triangle(pen, {12, 12}, 9.5, 6.5);
             pen.FilledBox(QRectF(14.5, 5.5, 3.2, 13), 0.6);
             pen.FilledBox(QRectF(19.5, 5.5, 3.2, 13), 0.6);
         }},
        {110,  // Stop
         [](const Pen& pen) { pen.FilledBox(QRectF(5.5, 5.5, 13, 13), 1.5); }},
        {108,  // Next Track
         [](const Pen& pen) {
             Triangle(pen, {11, 12}, 8, 6.5);
             Triangle(pen, {19, 12}, 8, 6.5);
             pen.FilledBox(QRectF(19, 5.5, 2.8, 13), 0.6);
         }},
        {109,  // Previous Track
         [](const Pen& pen) {
             Triangle(pen, {13, 12}, -8, 6.5);
             Triangle(pen, {5, 12}, -8, 6.5);
             pen.FilledBox(QRectF(2.2, 5.5, 2.8, 13), 0.6);
         }},
        {114,  // Volume Down
         [](const Pen& pen) {
             Speaker(pen);
             Minus(pen, {18.5, 12}, 3.8);
         }},
        {113,  // Volume Up
         [](const Pen& pen) {
             Speaker(pen);
             Plus(pen, {18.5, 12}, 3.8);
         }},
        {112,  // Mute
         [](const Pen& pen) {
             Speaker(pen);
             pen.Lines({{14.5, 8}, {22, 15.5}});
             pen.Lines({{14.5, 15.5}, {22, 8}});
         }},
        // Multimedia: browser and programs.
        {121,  // WWW Back
         [](const Pen& pen) {
             pen.Circle({12, 12}, 9.5);
             Arrow(pen, {17, 12}, {7, 12}, 4);
         }},
        {122,  // WWW Forward
         [](const Pen& pen) {
             pen.Circle({12, 12}, 9.5);
             Arrow(pen, {7, 12}, {17, 12}, 4);
         }},
        {123,  // WWW Stop
         [](const Pen& pen) {
             pen.Circle({12, 12}, 9.5);
             pen.Lines({{8.3, 8.3}, {15.7, 15.7}});
             pen.Lines({{8.3, 15.7}, {15.7, 8.3}});
         }},
        {124,  // WWW Refresh: a circling arrow
         [](const Pen& pen) {
             const QPointF centre(12, 12.5);
             const qreal radius = 8;
             pen.Arc(centre, radius, 70, -300);
             // The head sits at the arc's end (130 degrees), pointing along it.
             const qreal end = 130 * kPi / 180;
             const QPointF tip = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
             const QPointF along(std::sin(end), std::cos(end));  // direction of travel
             const QPointF across(std::cos(end), -std::sin(end));
             pen.Filled({tip + along * 4.2, tip + across * 3.6, tip - across * 3.6});
         }},
        {125,  // WWW Favorites: a star
         [](const Pen& pen) {
             QPainterPath star;
             for (int point = 0; point < 10; ++point) {
                 const qreal radius = point % 2 == 0 ? 10 : 4.3;
                 const qreal angle = -kPi / 2 + point * kPi / 5;
                 const QPointF at(12 + radius * std::cos(angle), 12.8 + radius * std::sin(angle));
                 if (point == 0) {
                     star.moveTo(at);
                 } else {
                     star.lineTo(at);
                 }
             }
             star.closeSubpath();
             pen.Stroke(star);
         }},
        {119,  // WWW Search: a magnifier
         [](const Pen& pen) {
             pen.Circle({10, 10}, 6.5);
             QPen handle(pen.ink, pen.stroke * 1.8, Qt::SolidLine, Qt::RoundCap);
             pen.p.setPen(handle);
             pen.p.drawLine(QPointF(15, 15), QPointF(20.5, 20.5));
         }},
        {116,  // E-mail: an envelope
         [](const Pen& pen) {
             pen.Box(QRectF(2.5, 5.5, 19, 13), 1.5);
             pen.Lines({{3.2, 6.3}, {12, 13}, {20.8, 6.3}});
         }},
        {120,  // WWW Home: a house
         [](const Pen& pen) {
             pen.Lines({{2.5, 12}, {12, 3.5}, {21.5, 12}});
             pen.Lines({{5.5, 9.5}, {5.5, 20.5}, {18.5, 20.5}, {18.5, 9.5}});
             pen.Lines({{10, 20.5}, {10, 14.5}, {14, 14.5}, {14, 20.5}});
         }},
        {118,  // My Computer: a monitor
         [](const Pen& pen) {
             pen.Box(QRectF(2.5, 3.5, 19, 13), 1.5);
             pen.Lines({{12, 16.5}, {12, 20}});
             pen.Lines({{7.5, 20.5}, {16.5, 20.5}});
         }},
        {117,  // Calculator
         [](const Pen& pen) {
             pen.Box(QRectF(4.5, 2.5, 15, 19), 2);
             pen.FilledBox(QRectF(7.3, 5.2, 9.4, 3.6), 0.6);
             for (int row = 0; row < 3; ++row) {
                 for (int column = 0; column < 3; ++column) {
                     pen.Dot({8.5 + 3.5 * column, 12 + 3.3 * row}, 1.1);
                 }
             }
         }},

        // Function: key functions.
        {168, [](const Pen& pen) { BluetoothDevice(pen, 1); }},
        {169, [](const Pen& pen) { BluetoothDevice(pen, 2); }},
        {170, [](const Pen& pen) { BluetoothDevice(pen, 3); }},
        {180, [](const Pen& pen) { BluetoothDevice(pen, 4); }},
        {181, [](const Pen& pen) { BluetoothDevice(pen, 5); }},
        {167,  // Wire/Wireless Exchange: a plug on its cable, radio waves
         [](const Pen& pen) {
             pen.FilledBox(QRectF(1.5, 8, 8, 7), 1);
             pen.Lines({{3.8, 8}, {3.8, 3.5}});
             pen.Lines({{7.2, 8}, {7.2, 3.5}});
             pen.Lines({{5.5, 15}, {5.5, 21.5}});
             pen.Dot({17, 20}, 1.8);
             pen.Arc({17, 20}, 5.5, 50, 80);
             pen.Arc({17, 20}, 10, 50, 80);
             Arrow(pen, {8.5, 21.5}, {14.5, 21.5}, 2);
         }},
        {149,  // Adjust Trigger Point: a key going down to the dashed depth where it triggers
         [](const Pen& pen) {
             pen.Closed({{6, 2.5}, {18, 2.5}, {20, 8.5}, {4, 8.5}});
             Arrow(pen, {12, 10.5}, {12, 15.5}, 2.8);
             for (qreal x : {2.5, 8.0, 13.5, 19.0}) {
                 pen.Lines({{x, 18}, {x + 2.5, 18}});
             }
             pen.Lines({{3, 22}, {21, 22}});
         }},
        {155,  // Win/Mac System Exchange: the four panes, the command key, arrows between
         [](const Pen& pen) {
             Panes(pen, {1.5, 1.5}, 4.6, 1.3);
             const QRectF square(15, 15, 4.5, 4.5);
             pen.Box(square, 0);
             for (const QPointF& corner : {square.topLeft(), square.topRight(), square.bottomLeft(),
                                           square.bottomRight()}) {
                 const QPointF out(corner.x() < square.center().x() ? -1.9 : 1.9,
                                   corner.y() < square.center().y() ? -1.9 : 1.9);
                 pen.Circle(corner + out, 1.9);
             }
             Arrow(pen, {14.5, 4}, {21.5, 4}, 2.2);
             Arrow(pen, {9.5, 14.5}, {9.5, 21.5}, 2.2);
         }},
        {171,  // Game mode: a game pad
         [](const Pen& pen) {
             QPainterPath pad;
             pad.moveTo(7, 6.5);
             pad.lineTo(17, 6.5);
             pad.cubicTo(21.5, 6.5, 23.5, 17, 21, 19);
             pad.cubicTo(19, 20.5, 17, 17, 15.5, 15.5);
             pad.lineTo(8.5, 15.5);
             pad.cubicTo(7, 17, 5, 20.5, 3, 19);
             pad.cubicTo(0.5, 17, 2.5, 6.5, 7, 6.5);
             pad.closeSubpath();
             pen.Stroke(pad);
             pen.Lines({{5, 11}, {9.5, 11}});
             pen.Lines({{7.25, 8.75}, {7.25, 13.25}});
             pen.Dot({16, 9.8}, 1.2);
             pen.Dot({18.5, 12.3}, 1.2);
         }},
        {166, [](const Pen& pen) { FnKey(pen, true); }},   // Left FN key
        {156, [](const Pen& pen) { FnKey(pen, false); }},  // Right FN key
        {153,                                              // Win Lock
         [](const Pen& pen) {
             Panes(pen, {2, 2.5}, 5, 1.3);
             Padlock(pen, {12.5, 14}, 9.5, true);
         }},
        {150,  // Keyboard Lock
         [](const Pen& pen) {
             pen.Box(QRectF(1.5, 4, 19, 11), 1.5);
             for (int column = 0; column < 4; ++column) {
                 pen.Dot({5.0 + 4 * column, 7.8}, 0.9);
             }
             pen.Lines({{6, 11.5}, {14, 11.5}});
             Padlock(pen, {13, 14}, 9.5, true);
         }},
        {174,  // Key Repeat Rate: a key pressed again and again
         [](const Pen& pen) {
             pen.Lines({{8, 3}, {20, 3}, {21, 12.5}});
             pen.Lines({{5, 6}, {17, 6}, {18.2, 15.5}});
             KeyCapOutline(pen, QRectF(2.5, 9, 13, 12));
         }},
        {175,  // Key Response Delay: a key and a clock
         [](const Pen& pen) {
             KeyCapOutline(pen, QRectF(2, 2.5, 13, 12));
             Clock(pen, {16.5, 16}, 6, true);
         }},
        {152,  // Caps/Ctrl Exchange: the caps lock arrow and the control caret, swapped
         [](const Pen& pen) {
             pen.Closed(
                 {{6.5, 2.5}, {12, 8.5}, {9, 8.5}, {9, 12.5}, {4, 12.5}, {4, 8.5}, {1, 8.5}});
             pen.Lines({{4, 15.5}, {9, 15.5}});
             pen.Lines({{14, 14}, {18, 9}, {22, 14}});
             Arrow(pen, {3, 20.5}, {21, 20.5}, 2.2);
             Arrow(pen, {21, 20.5}, {3, 20.5}, 2.2);
         }},
        {172,  // ECO mode: a leaf
         [](const Pen& pen) {
             QPainterPath leaf;
             leaf.moveTo(4, 20);
             leaf.cubicTo(2.5, 10, 9, 3.5, 21, 3);
             leaf.cubicTo(21.5, 14, 14, 20.5, 4, 20);
             leaf.closeSubpath();
             pen.Stroke(leaf);
             pen.Lines({{2.5, 22}, {15, 9.5}});
         }},
        {159,  // Programmable Keyboard: a keyboard with code on it
         [](const Pen& pen) {
             pen.Box(QRectF(1.5, 5, 21, 14), 2);
             pen.Lines({{8, 9}, {5.5, 12}, {8, 15}});
             pen.Lines({{13.5, 8.5}, {10.5, 15.5}});
             pen.Lines({{16, 9}, {18.5, 12}, {16, 15}});
         }},

        // Function: backlight effects.
        {137,  // Demonstrate: the light show plays
         [](const Pen& pen) {
             DotRing(pen, {12, 12}, 9.5);
             Triangle(pen, {16.5, 12}, 7.5, 5);
         }},
        {140,  // Demo Stop
         [](const Pen& pen) {
             DotRing(pen, {12, 12}, 9.5);
             pen.FilledBox(QRectF(8, 8, 8, 8), 1);
         }},
        {138,  // Star shower: falling stars trailing light
         [](const Pen& pen) {
             for (const QPointF& head : {QPointF(4, 12), QPointF(10, 20.5), QPointF(14.5, 8)}) {
                 pen.Dot(head, 2.3);
                 // A tail that thins out towards the upper right.
                 pen.Filled(
                     {head + QPointF(-1.6, -1.6), head + QPointF(1.6, 1.6), head + QPointF(9, -9)});
             }
         }},
        {139,  // Riffle: rings spreading from a drop
         [](const Pen& pen) {
             pen.Dot({12, 12}, 2.2);
             pen.Circle({12, 12}, 5.8);
             pen.Circle({12, 12}, 9.8);
         }},
        {144,  // Backlight Lighteness-: a dim sun, minus
         [](const Pen& pen) {
             Sun(pen, {9, 12}, 2.8, 5.2, 6.8);
             Minus(pen, {19.5, 12}, 3.2);
         }},
        {145,  // Backlight Lighteness+: a bright sun, plus
         [](const Pen& pen) {
             Sun(pen, {9, 12}, 3.4, 5.8, 8.6);
             Plus(pen, {19.5, 12}, 3.2);
         }},
        {135,  // Backlight switch: the power sign in a ring of rays
         [](const Pen& pen) {
             pen.Arc({12, 12.5}, 5.5, 120, 300);
             pen.Lines({{12, 5.5}, {12, 11.5}});
             for (int ray = 0; ray < 8; ++ray) {
                 const qreal angle = ray * kPi / 4 + kPi / 8;
                 const QPointF d(std::cos(angle), std::sin(angle));
                 pen.Lines({QPointF(12, 12.5) + d * 8.5, QPointF(12, 12.5) + d * 10.5});
             }
         }},
        {141,  // Backlight Breathe: a slow swell
         [](const Pen& pen) { Wave(pen, 2, 22, 12, 6, 1.5); }},
        {136,  // Backlight Macro: keys coloured by hand
         [](const Pen& pen) {
             for (int row = 0; row < 2; ++row) {
                 for (int column = 0; column < 2; ++column) {
                     pen.Box(QRectF(2 + 7 * column, 2 + 7 * row, 5.5, 5.5), 1);
                 }
             }
             QPainterPath pencil;
             pencil.moveTo(11, 21.5);
             pencil.lineTo(12, 17);
             pencil.lineTo(20, 9);
             pencil.lineTo(23, 12);
             pencil.lineTo(15, 20);
             pencil.closeSubpath();
             pen.Clear(pencil);
             pen.Stroke(pencil);
             pen.Lines({{18, 11}, {21, 14}});
         }},
        {143,  // Breathe Frequence+: a quick swell, plus
         [](const Pen& pen) {
             Wave(pen, 2, 22, 8.5, 4, 2.5);
             Plus(pen, {18.5, 19}, 3.5);
         }},
        {142,  // Breathe Frequence-: a slow swell, minus
         [](const Pen& pen) {
             Wave(pen, 2, 22, 8.5, 4, 1);
             Minus(pen, {18.5, 19}, 3.5);
         }},
        {148,  // Back Color Exchange: three overlapping colours
         [](const Pen& pen) {
             pen.Circle({12, 8.5}, 5.8);
             pen.Circle({8, 15}, 5.8);
             pen.Circle({16, 15}, 5.8);
         }},

        // Power.
        {75,  // WakeUp: the sun comes up
         [](const Pen& pen) {
             pen.Lines({{1.5, 19.5}, {22.5, 19.5}});
             QPainterPath sun;
             sun.moveTo(5, 19.5);
             sun.arcTo(QRectF(5, 12.5, 14, 14), 180, -180);
             sun.closeSubpath();
             pen.Fill(sun);
             for (qreal degrees : {20.0, 55.0, 90.0, 125.0, 160.0}) {
                 const qreal angle = degrees * kPi / 180;
                 const QPointF d(std::cos(angle), -std::sin(angle));
                 pen.Lines({QPointF(12, 19.5) + d * 9.5, QPointF(12, 19.5) + d * 12.5});
             }
         }},
        {76,  // Sleep: the moon
         [](const Pen& pen) {
             QPainterPath moon;
             moon.addEllipse(QPointF(11, 13), 9, 9);
             QPainterPath bite;
             bite.addEllipse(QPointF(16.5, 8.5), 7.5, 7.5);
             pen.Fill(moon.subtracted(bite));
             pen.Lines({{16, 2.5}, {21.5, 2.5}, {16, 8}, {21.5, 8}});
         }},
        {77,  // Power
         [](const Pen& pen) {
             pen.Arc({12, 13}, 8.5, 125, 290);
             pen.Lines({{12, 2.5}, {12, 12}});
         }},
    };
    return glyphs;
}

}  // namespace

bool DrawIconGlyph(QPainter& painter, const QRectF& box, int hwCode, QColor ink, QColor paper,
                   qreal stroke) {
    const auto found = Glyphs().find(hwCode);
    if (found == Glyphs().end()) {
        return false;
    }
    const qreal scale = std::min(box.width(), box.height()) / kGrid;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(box.center().x() - kGrid * scale / 2, box.center().y() - kGrid * scale / 2);
    painter.scale(scale, scale);
    found->second(Pen(painter, ink, paper, stroke / scale));
    painter.restore();
    return true;
}

}  // namespace art
