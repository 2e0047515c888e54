// The split bar between the topic list and the help text: its grip, its cursor, the line that
// follows a drag over the whole window, and the columns laid out again on release.
#include <QPainter>
#include <algorithm>

#include "base/resources.h"
#include "fw/canvas.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/overlay.h"
#include "fw/screen.h"
#include "help/helpwindow.h"

void helpWindow::moveBar_Open() { helpOldColumn = helpOldX = moveBar->x(); }

void helpWindow::moveBar_MouseEnter() {
    if (const auto c = moveColumnCursor())
        moveBar->setCursor(*c);
    else
        moveBar->setCursor(Qt::SplitHCursor);  // the store lacks it: the desktop's own
}

void helpWindow::moveBar_MouseExit() { moveBar->setCursor(Qt::ArrowCursor); }

bool helpWindow::moveBar_MouseDown(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return true;
}

void helpWindow::moveBar_MouseDrag(int x, int y) {
    Q_UNUSED(y);
    fw::Overlay* g = fw::Overlay::of(content());
    const int height = content()->height();
    g->RefreshRect(helpOldX, 0, 2, height);
    x = splitWithinLimits(moveBar->x() + x);
    g->ForeColor = fw::DarkBevelColor();
    g->PenWidth = 2;
    g->DrawLine(x, 0, x, height);
    g->PenWidth = 1;
    helpOldColumn = x;
    helpOldX = x;
}

void helpWindow::moveBar_MouseUp(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    fw::Overlay::of(content())->RefreshRect(helpOldColumn, 0, 2, content()->height());
    // The window may have narrowed since the line was drawn.
    helpAdjustColumns(splitWithinLimits(helpOldColumn));
}

// Both columns stay usable: the split lies from 100 to the window's width - 300, the second limit
// applied last.
int helpWindow::splitWithinLimits(int x) const {
    return std::min(std::max(x, 100), content()->width() - 300);
}

void helpWindow::keepSplitInLimits() {
    const int split = moveBar->x();
    const int kept = splitWithinLimits(split);
    if (kept != split) helpAdjustColumns(kept);
}

void helpWindow::moveBar_Paint(QPainter& g) {
    const int top = g.device()->height() / 2 - 10;
    for (int i = 2; i <= 4; ++i) {
        g.setPen(fw::LightBevelColor());
        g.drawLine(2 * i, top, 2 * i, top + 20);
        g.setPen(fw::DarkBevelColor());
        g.drawLine(2 * i + 1, top, 2 * i + 1, top + 20);
    }
}

void helpWindow::helpAdjustColumns(int x) {
    topicsList->resize(x - topicsList->x() - 2, topicsList->height());
    LabelArray[0]->resize(topicsList->width(), LabelArray[0]->height());
    moveBar->move(x, moveBar->y());
    helpField->move(x + 15, helpField->y());
    helpField->resize(content()->width() - helpField->x() - 15, helpField->height());
    LabelArray[1]->setGeometry(helpField->x(), LabelArray[1]->y(), helpField->width(),
                               LabelArray[1]->height());
    for (QWidget* moved : {static_cast<QWidget*>(topicsList), static_cast<QWidget*>(LabelArray[0]),
                           static_cast<QWidget*>(moveBar), static_cast<QWidget*>(helpField),
                           static_cast<QWidget*>(LabelArray[1])})
        relock(moved);
    helpOldColumn = x;
    fw::Overlay::of(content())->Refresh();
    content()->update();
}
