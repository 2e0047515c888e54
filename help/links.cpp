// Links in the help text: the pointing cursor over link colour and following the clicked link.
// Whether the mouse is over a link is read from the colours on the screen around it, not from
// the text's layout: any link-coloured pixel within 3 pixels counts.
#include "base/resources.h"
#include "fw/browser.h"
#include "fw/clock.h"
#include "fw/cursors.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/screen.h"
#include "fw/sound.h"
#include "fw/text.h"
#include "help/helpwindow.h"

namespace {
// Counts mouse movements over the text, and the mouse leaving it: a movement or a leave handled
// inside a movement's loop yield is newer, and the older one must not overwrite what it did.
int movements = 0;
}  // namespace

void helpWindow::helpField_MouseMove(int x, int y) {
    const QPoint screen = helpField->viewport()->mapToGlobal(QPoint(x, y));
    const int movement = ++movements;
    const bool over = helpOverLink(screen.x(), screen.y());
    if (movement != movements || !isVisible()) return;  // a hidden window shows no hand
    if (over) {
        fw::setAppMouseCursor(fingerCursor());
        foundLink = true;
    } else {
        fw::setAppMouseCursor(nullptr);
        foundLink = false;
    }
}

bool helpWindow::helpOverLink(int x, int y) {
    Q_UNUSED(x);  // the mouse's own position is read instead
    Q_UNUSED(y);
    const int mx = fw::System::MouseX(), my = fw::System::MouseY();
    for (int d = 1; d <= 3; ++d) {
        for (int dy = -d; dy <= d; dy += d)
            for (int dx = -d; dx <= d; dx += d)
                if (helpIsColor(mx + dx, my + dy)) return true;
        fw::yieldToEventLoop();
    }
    return false;
}

bool helpWindow::helpIsColor(int x, int y) {
    const QColor c = fw::System::Pixel(x, y);
    if (!c.isValid()) return false;  // on none of our windows
    if (helpApproximateColor(c, helpLinkColor)) return true;
    return helpApproximateColor(c, helpURLColor);
}

bool helpWindow::helpApproximateColor(const QColor& c1, const QColor& c2) {
    auto near = [](int a, int b) { return a > b - 30 && a < b + 30; };
    if (!near(c1.blue(), c2.blue())) return false;
    if (!near(c1.red(), c2.red())) return false;
    return near(c1.green(), c2.green());
}

bool helpWindow::helpField_MouseDown(int x, int y) {
    Q_UNUSED(x);
    Q_UNUSED(y);
    return true;
}

void helpWindow::helpField_MouseUp(int x, int y) {
    if (foundLink) helpJump(helpField->CharPosAtXY(x, y));
}

// The pointing hand is the application's cursor: left set, it would show over every window.
void helpWindow::helpField_MouseExit() {
    ++movements;
    setCursor(Qt::ArrowCursor);
    fw::setAppMouseCursor(nullptr);
}

void helpWindow::helpJump(int pos) {
    const int t = helpReturnIndex(topicsList->Text());
    // No row selected, or a topic after the last one holding a link: its tables hold nothing.
    const bool hasRow = t >= 1 && t <= helpURL.ubound1();
    const int slots = qMin(helpMaxURLs, helpURL.ubound2());
    int found = 0;
    for (int k = 1; hasRow && k <= slots; ++k) {
        if (helpURL(t, k).isEmpty()) continue;
        if (helpURLPos(t, k) <= pos && pos <= helpURLPos(t, k) + helpURLlen(t, k)) {
            found = k;
            break;
        }
        fw::yieldToEventLoop();
    }
    if (found == 0) {
        fw::Beep();
        return;
    }
    const QString target = helpURL(t, found);
    if (fw::Left(target, 1) == QLatin1String("#"))
        helpShowTopic(fw::Mid(target, 2));
    else if (!fw::ShowURL(target))  // a file or a program: not handed on
        fw::Beep();
}
