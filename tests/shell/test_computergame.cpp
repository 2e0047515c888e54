#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <cstdint>
#include <set>

#include "fw/dialogs.h"
#include "fw/events.h"
#include "shell/menu.h"
#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

// Computer turns one after another: their order, the person's input meanwhile, and a long game.
class ComputerGameTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        fw::Window::setModalHook([](fw::Window* w) { w->Close(); });
    }

    void personInput_isIgnoredWhileAComputerIsOnTurn() {
        newGame({{QStringLiteral("Cpu"), 1}, {QStringLiteral("Ann"), 0}}, 1000, 1);
        // The computer's turn waits for the event loop; the buttons look ready, but not for a person.
        QCOMPARE(buttons(), turnStart());
        QVERIFY(!gw()->personMayAct());
        gw()->rollButton->click();
        QTest::keyClick(gw(), Qt::Key_Return);
        QTest::keyClick(gw(), ' ');
        QTest::keyClick(gw(), '/');
        QCOMPARE(testing::historyLines().size(), 5);
        QCOMPARE(gw()->rollNumber, 0);

        testing::forceFaces({2, 2, 3, 4, 6, 6});
        QVERIFY(drainUntil([] { return gCurrentPlayer == 2; }));
        QCOMPARE(testing::historyLines().filter(QStringLiteral("Roll number")).size(), 1);
        QVERIFY(gw()->personMayAct());
    }

    // Looking is not acting: the history is scrolled, selected and copied with the mouse, the keys
    // and the menus while the computers play, and the lines they add go in after the selection
    // without moving the view away from where a person reads or selects.
    void history_isScrolledSelectedAndCopiedWhileTheComputersPlay() {
        playerListWindow* list = playerListWindow::get();
        QTextEdit* h = list->status;
        // A point of the history as the list window's input arrives: where 0-based position `at` is.
        const auto point = [list, h](int at, int dx = 0) {
            QTextCursor c(h->document());
            c.setPosition(at);
            return h->viewport()->mapTo(list, h->cursorRect(c).center() + QPoint(dx, 0));
        };
        const auto block = [h](int n) { return h->document()->findBlockByNumber(n); };
        const auto range = [h] {
            return QStringLiteral("%1-%2")
                .arg(h->textCursor().selectionStart())
                .arg(h->textCursor().selectionEnd());
        };
        QStringList got, want;
        const auto expect = [&](const QString& is, const QString& shouldBe) {
            got << is;
            want << shouldBe;
        };
        // Select and copy, then copy again once a line has come; scroll up, and look again when a
        // line has come; drag across the arrival of a line; see the view follow; copy with the
        // history's own menu; done.
        int phase = 0;
        int selectedTo = 0, scrolledTo = 0, from = 0, to = 0;
        QPoint fromAt, toAt;
        QString copied;
        const auto wheel = [list, h](int notches) {
            const QPointF p = h->viewport()->mapTo(list, QPoint(20, 20));
            QWheelEvent e(p, list->mapToGlobal(p), {}, {0, 120 * notches}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(list->windowHandle(), &e);
        };
        QScrollBar* bar = h->verticalScrollBar();
        const auto wheelToEnd = [&wheel, bar] {
            for (int i = 0; i < 1000 && bar->value() < bar->maximum(); ++i) wheel(-1);
        };
        QTimer during;
        QObject::connect(&during, &QTimer::timeout, [&] {
            if (fw::personInputIdle() || phase == 6) return;  // only while a computer's turn runs
            QWindow* input = list->windowHandle();
            if (phase == 0) {
                list->activateWindow();
                QCoreApplication::processEvents();
                h->verticalScrollBar()->setValue(0);
                const int from = block(3).position(), to = block(4).position() + 4;
                QTest::mousePress(input, Qt::LeftButton, {}, point(from));
                QTest::mouseMove(input, point(from + 2));
                QTest::mouseMove(input, point(to));
                QTest::mouseRelease(input, Qt::LeftButton, {}, point(to));
                expect(h->textCursor().selectedText(), h->document()
                                                           ->toPlainText()
                                                           .mid(from, to - from)
                                                           .replace(u'\n', QChar::ParagraphSeparator));

                QTest::mouseClick(input, Qt::LeftButton, {}, point(block(6).position()));
                for (int i = 0; i < 3; ++i) QTest::keyClick(h, Qt::Key_Right, Qt::ShiftModifier);
                QTest::keyClick(h, Qt::Key_Left, Qt::ShiftModifier);
                expect(h->textCursor().selectedText(), block(6).text().left(2));

                const int word = h->document()->toPlainText().indexOf(QStringLiteral("number"));
                QTest::mouseDClick(input, Qt::LeftButton, {}, point(word + 2, 2));
                expect(h->textCursor().selectedText(), QStringLiteral("number"));
                // A touch comes as the mouse, and places the point.
                static QPointingDevice* finger = QTest::createTouchDevice();
                const int tapped = block(6).position() + 1;
                QTest::touchEvent(input, finger).press(0, point(tapped), input);
                QTest::touchEvent(input, finger).release(0, point(tapped), input);
                expect(range(), QStringLiteral("%1-%1").arg(tapped));

                QTest::keyClick(h, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(h, Qt::Key_C, Qt::ControlModifier);
                copied = h->toPlainText();
                selectedTo = h->textCursor().selectionEnd();
                expect(QApplication::clipboard()->text(), copied);
                phase = 1;
                return;
            }
            if (h->toPlainText().size() == copied.size()) return;  // no new line yet
            if (phase == 1) {
                // The new lines went in after the selection, which stayed as it was.
                expect(range(), QStringLiteral("0-%1").arg(selectedTo));
                expect(h->toPlainText().left(int(copied.size())), copied);
                QApplication::clipboard()->setText(QStringLiteral("-"));
                Menu::get()->updateEnabled();
                Menu::get()->find(QStringLiteral("EditCopy"))->action()->trigger();
                expect(QApplication::clipboard()->text(), copied);
                phase = 2;
            }
            if (phase == 2) {
                if (bar->maximum() < 2 * bar->pageStep()) return;  // not yet three screens of lines
                wheelToEnd();
                wheel(1);
                scrolledTo = bar->value();
                expect(QString::number(scrolledTo < bar->maximum()), QStringLiteral("1"));
            } else if (phase == 3) {
                expect(QString::number(bar->value()), QString::number(scrolledTo));
                // Back at the end, a drag from the start of a line to within the next but one.
                wheelToEnd();
                const int last = h->document()->blockCount() - 1;  // the empty line after the last
                from = block(last - 3).position();
                to = block(last - 1).position() + 2;
                fromAt = point(from);
                toAt = point(to);
                QTest::mousePress(input, Qt::LeftButton, {}, fromAt);
                QTest::mouseMove(input, toAt);
                scrolledTo = bar->value();
            } else if (phase == 4) {
                // A line came under the held mouse: the view stayed, and so do the lines under it.
                expect(QString::number(bar->value()), QString::number(scrolledTo));
                toAt += QPoint(1, 0);  // a move to where the mouse already is does not come
                QTest::mouseMove(input, toAt);
                QTest::mouseRelease(input, Qt::LeftButton, {}, toAt);
                expect(h->textCursor().selectedText(), h->document()
                                                           ->toPlainText()
                                                           .mid(from, to - from)
                                                           .replace(u'\n', QChar::ParagraphSeparator));
            } else if (phase == 5) {
                // It was at the end before the drag, and follows the lines again.
                expect(QString::number(bar->maximum() - bar->value()), QStringLiteral("0"));
                QApplication::clipboard()->setText(QStringLiteral("-"));
                QTest::mouseClick(input, Qt::RightButton, {}, point(from));
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QStringList offered;
                QAction* copy = nullptr;
                for (QAction* a : menu ? menu->actions() : QList<QAction*>()) {
                    if (a->isVisible() && !a->isSeparator()) offered << a->objectName();
                    if (a->objectName() == QLatin1String("edit-copy")) copy = a;
                }
                expect(offered.join(u' '), QStringLiteral("edit-copy select-all"));
                if (copy)
                    QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                                      menu->actionGeometry(copy).center());
                expect(QApplication::clipboard()->text(),
                       QString(h->textCursor().selectedText()).replace(QChar::ParagraphSeparator, u'\n'));
                expect(QString::number(!QApplication::activePopupWidget()), QStringLiteral("1"));
            }
            copied = h->toPlainText();  // the next phase waits for a line after this
            ++phase;
        });
        during.start(0);
        newGame({{QStringLiteral("C1"), 1}, {QStringLiteral("C2"), 2}}, 5000, 1);
        QVERIFY(drainUntil([&phase] { return phase == 6; }));
        QCOMPARE(got, want);
    }

    void consecutiveComputers_playInTurnOrderBeforeThePerson() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("C1"), 1}, {QStringLiteral("C2"), 2}}, 5000, 1);
        // Ann banks with the keys; both computers lose their first roll; the turn comes back.
        testing::forceFaces({1, 1, 1, 2, 3, 4, 2, 2, 3, 4, 6, 6, 2, 2, 3, 4, 6, 6});
        gw()->rollButton->click();
        QTest::keyClick(gw(), ' ');
        QTest::keyClick(gw(), '.');
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is C1's turn."));
        QVERIFY(drainUntil([] { return gCurrentPlayer == 1; }));

        const QStringList h = testing::historyLines();
        const QStringList turnLines = h.filter(QRegularExpression(QStringLiteral("^(It is|Turn number)")));
        QCOMPARE(turnLines,
                 (QStringList{QStringLiteral("Turn number 1:"), QStringLiteral("It is Ann's turn."),
                              QStringLiteral("Turn number 1:"), QStringLiteral("It is C1's turn."),
                              QStringLiteral("Turn number 1:"), QStringLiteral("It is C2's turn."),
                              QStringLiteral("Turn number 2:"), QStringLiteral("It is Ann's turn.")}));
        QCOMPARE(
            h.filter(QStringLiteral("'s turn is over.")),
            (QStringList{QStringLiteral("    Ann's turn is over."), QStringLiteral("    C1's turn is over."),
                         QStringLiteral("    C2's turn is over.")}));
        QCOMPARE(gPlayerList(1).score, 1000);
        QCOMPARE(buttons(), turnStart());
    }

    void nextComputerGame_fromTheResultsDialog_playsAfterTheLastOneUnwound() {
        const Roster computers{{QStringLiteral("C1"), 1}, {QStringLiteral("C2"), 3}};
        int started = 0;
        fw::Window::setModalHook([&](fw::Window* w) {
            if (started++ == 0)
                newGame(computers, 1000, 2);  // "Start Game" from inside the finished game
            else
                w->Close();
        });
        std::set<int> depths;
        fw::setDialogResponder([&](const fw::DialogRecord&) {
            depths.insert(fw::handlerDepth());
            return 0;
        });
        newGame(computers, 1000, 1);
        QVERIFY(drainUntil([] { return fw::shownDialogs().size() == 2; }));
        testing::drain(5);

        QCOMPARE(started, 2);
        QCOMPARE(depths, std::set<int>{3});  // deferred turn, Stop or Roll press, results dialog
        QCOMPARE(gFirstPlayer, 2);
        QVERIFY(gPlayerList(1).score >= 1000 || gPlayerList(2).score >= 1000);
    }

    void sixComputersTo50000_playToTheEndOnAFlatStack() {
        fw::Window::setModalHook([](fw::Window* w) { w->Close(); });
        QStringList history;
        fw::setDialogResponder([&](const fw::DialogRecord&) {
            history = testing::historyLines();
            return 0;
        });
        newGame({{QStringLiteral("Dumb"), 1},
                 {QStringLiteral("Clever"), 2},
                 {QStringLiteral("Crafty"), 3},
                 {QStringLiteral("Wicked"), 4},
                 {QStringLiteral("Evil"), 5},
                 {QStringLiteral("Dumb2"), 1}},
                50000, 4);

        // Every roll of the game goes through this button: note how deep each press runs.
        std::set<int> depths;
        std::uintptr_t shallowest = 0;
        std::uintptr_t deepest = UINTPTR_MAX;
        gameWindow* window = gw();
        window->rollButton->action = [window, &depths, &shallowest, &deepest] {
            const char marker = 0;
            const auto here = reinterpret_cast<std::uintptr_t>(&marker);
            depths.insert(fw::handlerDepth());
            shallowest = std::max(shallowest, here);
            deepest = std::min(deepest, here);
            window->rollButton_Action();
        };
        QVERIFY(drainUntil([] { return !fw::shownDialogs().isEmpty(); }, 2000000));

        QCOMPARE(depths, std::set<int>{2});  // the deferred turn and the press, never more
        QVERIFY2(shallowest - deepest < 4096, qPrintable(QString::number(shallowest - deepest)));

        int best = 0, winner = 0;
        for (int i = 1; i <= 6; ++i) {
            if (gPlayerList(i).score > best) {
                best = gPlayerList(i).score;
                winner = i;
            }
        }
        QVERIFY(best >= 50000);
        QCOMPARE(fw::shownDialogs().first().message,
                 QStringLiteral("The winner is %1!\n").arg(gPlayerList(winner).name));

        // Every banked turn reached the floor, and the banks add up to the totals.
        const QRegularExpression banked(QStringLiteral("^ *(\\w+) scored (\\d+) points!$"));
        QMap<QString, int> sums;
        int turnsBanked = 0;
        for (const QString& line : history) {
            const auto m = banked.match(line);
            if (!m.hasMatch()) continue;
            QVERIFY2(m.captured(2).toInt() >= 350, qPrintable(line));
            sums[m.captured(1)] += m.captured(2).toInt();
            ++turnsBanked;
        }
        QVERIFY(turnsBanked >= 143);
        for (int i = 1; i <= 6; ++i) QCOMPARE(sums.value(gPlayerList(i).name), gPlayerList(i).score);
        QCOMPARE(history.last(), QStringLiteral("Game is Over!"));
        // Every player had the same number of turns: the game ended when a round was complete.
        const int turns = int(history.filter(QStringLiteral("It is Dumb's turn.")).size());
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(int(history.filter(QStringLiteral("It is %1's turn.").arg(gPlayerList(i).name)).size()),
                     turns);
    }
};

ZORVIK_TEST(ComputerGameTest)
#include "test_computergame.moc"
