#include "engine/board.h"

#include <QBitmap>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "base/resources.h"
#include "engine/globals.h"
#include "fw/events.h"
#include "fw/text.h"
#include "shell/gamewindow.h"

using globalsModule::dice;

namespace {
// A line with the pen hanging right of and below each point, as the table's layout assumes:
// a 2 x 2 pen from (0, 0) to (w, 0) covers rows 0 and 1, columns 0 to w + 1. The table draws
// only horizontal and vertical lines.
void penLine(QPainter& g, int x1, int y1, int x2, int y2) {
    const int size = std::max(1, g.pen().width());
    const QPoint topLeft(std::min(x1, x2), std::min(y1, y2));
    const QPoint bottomRight(std::max(x1, x2) + size - 1, std::max(y1, y2) + size - 1);
    g.fillRect(QRect(topLeft, bottomRight), g.pen().color());
}

// Stands in for a face picture the resource store lacks: a white die with its pips.
void drawPlainDie(QPainter& g, const QRect& r, int face) {
    static const char* const pips[] = {"", "4", "06", "048", "0268", "02468", "023568"};
    g.save();
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(Qt::white);
    g.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    g.setBrush(Qt::black);
    for (const char* p = pips[face >= 1 && face <= 6 ? face : 1]; *p; ++p) {
        const int cell = *p - '0';  // 0..8 on a 3 x 3 grid, row by row
        g.drawEllipse(QPointF(r.left() + 16 + 16 * (cell % 3), r.top() + 16 + 16 * (cell / 3)), 5, 5);
    }
    g.restore();
}
}  // namespace

boardClass::boardClass(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

std::deque<int>& boardClass::forcedFaces() {
    static std::deque<int> q;
    return q;
}

QRect boardClass::dieRect(int x, int y) { return QRect(x, y, 64, 64); }

void boardClass::Open() {
    initSavedPoints();
    initDies();
    Backdrop = zorvikbackground();
}

void boardClass::initSavedPoints() {
    int n = 0;
    int x = 0;
    for (int column = 0; column < 2; ++column) {
        x += 24;
        int y = 25;
        for (int row = 0; row < 4; ++row) {
            ++n;
            auto square = std::make_shared<pointClass>();
            square->x = x;
            square->y = y;
            savedPoints.put(n, square);
            y += 64 + 25;
        }
        x += 64;
    }
    emptySquares();
}

void boardClass::initDies() {
    const auto mask = diemask();
    if (!mask || mask->isNull()) return;
    const QImage maskImage = mask->toImage();
    for (const auto& face : {die1(), die2(), die3(), die4(), die5(), die6()}) {
        if (!face || face->isNull()) continue;
        QImage m = maskImage.size() == face->size() ? maskImage : maskImage.scaled(face->size());
        // Black pixels of the mask are the die's own outline; the rest lets the backdrop show.
        face->setMask(QBitmap::fromImage(m.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)));
    }
}

std::shared_ptr<QPixmap> boardClass::returnDieFace(int face) {
    switch (face) {
        case 2:
            return die2();
        case 3:
            return die3();
        case 4:
            return die4();
        case 5:
            return die5();
        case 6:
            return die6();
        default:
            return die1();
    }
}

void boardClass::Paint(QPainter& g) {
    drawSavedFrames(g);
    g.setPen(QColor(0, 0, 0));
    for (int i = 1; i <= 6; ++i) {
        const dieClass& d = dice(i);
        const QRect r = dieRect(d.x, d.y);
        const auto picture = returnDieFace(d.face);
        if (picture && !picture->isNull())
            g.drawPixmap(r.topLeft(), *picture);
        else
            drawPlainDie(g, r, d.face);
    }
    drawFrame(g);
}

void boardClass::drawSavedFrames(QPainter& g) {
    for (int k = 1; k <= 8; ++k) {
        const pointClass& square = savedPoints(k);
        const QRect r = dieRect(square.x, square.y);
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(230, 230, 230));
        g.drawRoundedRect(r, 3, 3);
        // A 1-pixel outline inside the 64 x 64 square: Qt strokes a rectangle one pixel larger.
        g.setPen(QPen(QColor(100, 100, 100), 1));
        g.setBrush(Qt::NoBrush);
        g.drawRoundedRect(r.adjusted(0, 0, -1, -1), 3, 3);
    }
    g.setPen(QColor(0, 0, 0));
}

void boardClass::drawFrame(QPainter& g) {
    const int w = width() - 2;
    const int h = height() - 2;
    g.setPen(QPen(QColor(150, 150, 150), g.pen().width()));
    penLine(g, 200, 0, 200, h);
    g.setPen(QPen(QColor(0, 0, 0), 2));
    penLine(g, 0, 0, w, 0);
    penLine(g, w, 0, w, h);
    penLine(g, w, h, 0, h);
    penLine(g, 0, h, 0, 0);
}

int boardClass::withinPoint(int x, int y) {
    for (int i = 1; i <= 6; ++i) {
        const dieClass& d = dice(i);
        if (dieRect(d.x, d.y).adjusted(0, 0, 1, 1).contains(x, y)) return i;
    }
    return 0;
}

void boardClass::refreshDie(int x, int y) { update(dieRect(x, y).adjusted(-4, -4, 4, 4)); }

bool boardClass::MouseDown(int, int) { return true; }

void boardClass::MouseMove(int x, int y) {
    const int i = withinPoint(x, y);
    QLabel* readout = gameWindow::get()->debug;
    if (i > 0) {
        const dieClass& d = dice(i);
        readout->setText(QStringLiteral("Die ") + fw::Str(i) + QStringLiteral(" score = ") +
                         fw::Str(d.score) + fw::EndOfLine + QStringLiteral("link = ") + fw::Str(d.link));
    } else {
        readout->setText(QString());
    }
    readout->update();
}

void boardClass::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), palette().window());
    if (Backdrop && !Backdrop->isNull()) g.drawPixmap(0, 0, *Backdrop);
    Paint(g);
}

bool boardClass::personMayClick() const { return !personGate || personGate(); }

// A click is a press and a release on the table; the release acts. While the turn gives a person
// nothing to do here, clicks are not acted upon; while the dice roll, the input gate drops them.
void boardClass::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    pressed_ = MouseDown(p.x(), p.y());
}

void boardClass::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !std::exchange(pressed_, false) || !personMayClick()) return;
    fw::HandlerScope scope;
    const QPoint p = e->position().toPoint();
    MouseUp(p.x(), p.y());
}

void boardClass::mouseMoveEvent(QMouseEvent* e) {
    fw::HandlerScope scope;
    const QPoint p = e->position().toPoint();
    MouseMove(p.x(), p.y());
}
