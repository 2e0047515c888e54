#pragma once
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTextCursor>
#include <QWindow>

#include "fw/canvas.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/screen.h"
#include "help/helpwindow.h"
#include "tests/support/testsupport.h"

// The manual used while a modal window waits, through the window system, where Qt's modal blocks
// apply (a widget's own QTest events would pass them by).
namespace helptest {

inline void activate(QWidget* w) {
    w->activateWindow();
    testing::drain(20);
}

inline QPoint inWindow(QWidget* control, QPoint at) { return control->mapTo(control->window(), at); }

inline void click(QWidget* control, QPoint at) {
    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {}, inWindow(control, at));
}

inline void typeInto(QWidget* field, const QString& text) {
    activate(field->window());
    field->setFocus();
    for (QChar c : text) QTest::keyClick(field->window()->windowHandle(), c.toLatin1());
}

// Counts a person's presses and keys that reach `window` or its controls.
struct InputCounter : QObject {
    QWidget* window;
    int count = 0;
    explicit InputCounter(QWidget* w) : window(w) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        count += (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress) &&
                 o->isWidgetType() && static_cast<QWidget*>(o)->window() == window;
        return false;
    }
};

// Ends a modal loop that the test's own clicks failed to end, so that a failure cannot hang.
inline void closeIfStillOpen(fw::Window* w, QStringList& failed) {
    if (w->isClosed()) return;
    failed << QStringLiteral("the modal window's button did not close it");
    w->Close();
}

// While `modal` waits: the manual, open already or shown by F1 on `modal`, takes a click on a row,
// the down arrow, a search, a click on a link, a drag of the split bar and its close box, as a
// person does them; then F1 and Ctrl+? on `modal` show it again. Returns what did not act, empty
// when everything did.
inline QStringList useHelpOver(QWidget* modal) {
    QStringList failed;
    const auto check = [&](bool ok, const char* what) {
        if (!ok) failed << QLatin1String(what);
        return ok;
    };
    helpWindow* w = fw::Window::ifOpen<helpWindow>();
    const auto keyShows = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const char* what) {
        if (w) w->close();
        activate(modal);
        QTest::keyClick(modal->windowHandle(), key, modifiers);
        w = fw::Window::ifOpen<helpWindow>();
        return check(w && w->isVisible(), what);
    };
    // Open before the modal window came up, or opened over it.
    if ((!w || !w->isVisible()) && !keyShows(Qt::Key_F1, {}, "F1 shows the manual")) return failed;
    activate(w);
    QWindow* window = w->windowHandle();

    fw::ListBox* list = w->topicsList;
    click(list->viewport(), list->visualItemRect(list->topLevelItem(1)).center());
    check(list->ListIndex() == 1, "a click chooses a row");
    w->helpField->setFocus();
    QTest::keyClick(window, Qt::Key_Down);
    check(list->ListIndex() == 2, "the down arrow moves to the next row");

    typeInto(w->findEdit, QStringLiteral("dice"));
    check(w->findEdit->text() == QStringLiteral("dice"), "typing into the search field");
    QTest::keyClick(window, Qt::Key_Return);
    check(w->helpField->SelText().compare(QStringLiteral("dice"), Qt::CaseInsensitive) == 0,
          "the search finds the word");

    // The first link to another topic, clicked where it is drawn.
    for (int topic = 1; topic <= w->helpURL.ubound1(); ++topic)
        for (int k = 1; k <= w->helpURL.ubound2(); ++k) {
            if (!w->helpURL(topic, k).startsWith(u'#')) continue;
            w->helpShowTopic(w->helpTopic[topic]);
            testing::drain(5);
            QTextCursor c(w->helpField->document());
            c.setPosition(w->helpURLPos(topic, k) + 1);
            const QPoint at = w->helpField->cursorRect(c).center() + QPoint(3, 0);
            fw::System::setMousePosition(w->helpField->viewport()->mapToGlobal(at));
            QTest::mouseMove(window, inWindow(w->helpField->viewport(), at));
            click(w->helpField->viewport(), at);
            fw::System::setMousePosition(std::nullopt);
            check(list->Text() != w->helpTopic[topic], "a click on a link shows its topic");
            topic = w->helpURL.ubound1();
            break;
        }

    const int split = w->moveBar->x();
    const QPoint bar = inWindow(w->moveBar, QPoint(6, 100));
    QTest::mousePress(window, Qt::LeftButton, {}, bar);
    QTest::mouseMove(window, bar + QPoint(40, 0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, bar + QPoint(40, 0));
    check(w->moveBar->x() > split, "a drag moves the split bar");

    w->close();
    check(!w->isVisible(), "the close box hides the manual");
    if (keyShows(Qt::Key_F1, {}, "F1 shows the manual") &&
        keyShows(Qt::Key_Question, Qt::ControlModifier, "Ctrl+? shows the manual"))
        w->close();
    activate(modal);
    return failed;
}

}  // namespace helptest
