// Placeholder until the dice table lands.
#include "engine/board.h"

boardClass::boardClass(QWidget* parent) : QWidget(parent) {}
std::deque<int>& boardClass::forcedFaces() {
    static std::deque<int> q;
    return q;
}
void boardClass::Open() {}
void boardClass::Paint(QPainter&) {}
bool boardClass::MouseDown(int, int) { return true; }
void boardClass::MouseUp(int, int) {}
void boardClass::MouseMove(int, int) {}
void boardClass::rollTheDice() {}
void boardClass::freshRoll() {}
void boardClass::randomLocation(int&, int&) {}
int boardClass::randomSix() { return 1; }
bool boardClass::isOkay(int, int, int) { return true; }
bool boardClass::checkPoint(int, int, int, int) { return false; }
void boardClass::delay(int) {}
std::shared_ptr<QPixmap> boardClass::returnDieFace(int) { return nullptr; }
int boardClass::withinPoint(int, int) { return 0; }
void boardClass::refreshDie(int, int) {}
void boardClass::drawFrame(QPainter&) {}
void boardClass::drawSavedFrames(QPainter&) {}
void boardClass::initSavedPoints() {}
void boardClass::initDies() {}
void boardClass::saveAllPoints() {}
void boardClass::findEmptySquare(int&, int&) {}
void boardClass::emptySquares() {}
void boardClass::markSquare(int, int, bool) {}
void boardClass::moveToEmptySquare(const QList<int>&) {}
void boardClass::restoreDie(const QList<int>&) {}
void boardClass::moveThisDie(int, bool) {}
void boardClass::paintEvent(QPaintEvent*) {}
void boardClass::mousePressEvent(QMouseEvent*) {}
void boardClass::mouseReleaseEvent(QMouseEvent*) {}
void boardClass::mouseMoveEvent(QMouseEvent*) {}
