// Links in the help text: the pointing cursor over link colour and following the clicked link.
#include "help/helpwindow.h"

void helpWindow::helpField_MouseMove(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
}

void helpWindow::helpField_MouseUp(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
}

void helpWindow::helpField_MouseExit() {}

bool helpWindow::helpField_MouseDown(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return false;
}

bool helpWindow::helpOverLink(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return false;
}

bool helpWindow::helpIsColor(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return false;
}

bool helpWindow::helpApproximateColor(const QColor& c1, const QColor& c2) {
    Q_UNUSED(c1);
    Q_UNUSED(c2);
    return false;
}

void helpWindow::helpJump(int pos) { Q_UNUSED(pos); }
