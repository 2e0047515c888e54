// The split bar between the topic list and the help text.
#include <QPainter>

#include "fw/canvas.h"
#include "help/helpwindow.h"

void helpWindow::moveBar_Open() { helpOldColumn = helpOldX = moveBar->x(); }

void helpWindow::moveBar_MouseEnter() {}

void helpWindow::moveBar_MouseExit() {}

bool helpWindow::moveBar_MouseDown(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return false;
}

void helpWindow::moveBar_MouseDrag(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
}

void helpWindow::moveBar_MouseUp(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
}

void helpWindow::moveBar_Paint(QPainter& g) { Q_UNUSED(g); }

void helpWindow::helpAdjustColumns(int x) { Q_UNUSED(x); }
