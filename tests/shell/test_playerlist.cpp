#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

namespace {
playerListWindow* plw() { return playerListWindow::get(); }

// The colour in the middle of cell (r, c) as drawn.
QColor cellColour(int r, int c) {
    QTreeWidget* t = plw()->ListBox1;
    const QRect cell = t->visualItemRect(t->topLevelItem(r));
    const int x = t->header()->sectionViewportPosition(c) + t->header()->sectionSize(c) - 4;
    return t->viewport()->grab().toImage().pixelColor(x, cell.center().y());
}
}  // namespace

// The score table and the history window beside the main window.
class PlayerListTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void scores_markThePlayerOnTurn() {
        seatPlayers({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}, {QStringLiteral("Cy"), 0}},
                    1000);
        for (int i = 1; i <= 3; ++i) gPlayerList(i).score = 1000 * i;
        gCurrentPlayer = 2;
        gRollScore = 350;
        gTurnScore = 50;
        gw()->playingSurface->currentPointsSaved = 150;
        plw()->Show();
        plw()->updateScores();

        QCOMPARE(row(0), (QStringList{QStringLiteral("Ann"), QStringLiteral("-"), QStringLiteral("-"),
                                      QStringLiteral("1000")}));
        QCOMPARE(row(1), (QStringList{QStringLiteral("Bob"), QStringLiteral("350"), QStringLiteral("200"),
                                      QStringLiteral("2000")}));
        QCOMPARE(row(2), (QStringList{QStringLiteral("Cy"), QStringLiteral("-"), QStringLiteral("-"),
                                      QStringLiteral("3000")}));
        QTreeWidget* t = plw()->ListBox1;
        QVERIFY(t->topLevelItem(1)->font(0).bold());
        QVERIFY(!t->topLevelItem(0)->font(0).bold() && !t->topLevelItem(2)->font(0).bold());
        QCOMPARE(t->topLevelItem(1)->font(0).family(), t->font().family());

        // The row on turn is yellow in every column; the others are not.
        for (int c = 0; c < 4; ++c) QCOMPARE(cellColour(1, c), QColor(255, 255, 0));
        QVERIFY(cellColour(0, 2) != QColor(255, 255, 0));
        QVERIFY(cellColour(2, 2) != QColor(255, 255, 0));

        // The turn passes on: the bold name and the yellow follow it.
        gCurrentPlayer = 3;
        plw()->updateScores();
        QVERIFY(!t->topLevelItem(1)->font(0).bold() && t->topLevelItem(2)->font(0).bold());
        QCOMPARE(row(1).at(1), QStringLiteral("-"));
        QCOMPARE(cellColour(2, 0), QColor(255, 255, 0));

        // Clicks anywhere on the table land on the cover and select nothing.
        for (const QPoint p : {QPoint(10, 5), QPoint(40, 40), QPoint(200, 60), QPoint(340, 140)}) {
            QWidget* hit = plw()->content()->childAt(p);
            QCOMPARE(hit, plw()->noClickCanvas);
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(plw()->content(), p));
        }
        QVERIFY(t->selectedItems().isEmpty());
        QCOMPARE(t->currentItem(), nullptr);
    }

    void emptyTable_updatesWithoutRows() {
        gPlayerList = fw::ObjList<playerClass>(0);
        plw()->ListBox1->clear();
        plw()->updateScores();
        QCOMPARE(plw()->ListBox1->topLevelItemCount(), 0);
    }

    void window_hasItsSettingsAndResizesWithinLimits() {
        playerListWindow* w = plw();
        QCOMPARE(w->windowTitle(), QStringLiteral("Player List"));
        QVERIFY(!w->isVisible());
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QTreeWidget* t = w->ListBox1;
        QCOMPARE(t->headerItem()->text(0), QStringLiteral("Name"));
        QCOMPARE(t->headerItem()->text(1), QStringLiteral("Throw Score"));
        QCOMPARE(t->headerItem()->text(2), QStringLiteral("Turn Score"));
        QCOMPARE(t->headerItem()->text(3), QStringLiteral("Total Score"));
        QVERIFY(!t->accessibleName().isEmpty() && !w->status->accessibleName().isEmpty());
        QVERIFY(w->status->isReadOnly());
        QCOMPARE(w->StaticText1->text(), QStringLiteral("Game History:"));

        // Beside the main window, level with its top.
        gameWindow* m = gw();
        QCOMPARE(w->pos(), QPoint(m->x() + m->frameGeometry().width() + 20, m->y()));

        w->Show();
        // Once shown, the columns share the whole width: 30% for the names, the rest in three.
        const int inner = t->width() - 2 * t->frameWidth() - t->verticalScrollBar()->sizeHint().width();
        QVERIFY(qAbs(t->columnWidth(0) - inner * 30 / 100) <= 2);
        QVERIFY(qAbs(t->columnWidth(0) + 3 * t->columnWidth(1) - inner) <= 4);
        const QRect caption = w->StaticText1->geometry();
        w->resize(480, 700);
        testing::drain(1);
        QCOMPARE(w->content()->width(), 480);
        QCOMPARE(t->geometry(), QRect(-1, -1, 482, 150));
        QCOMPARE(w->noClickCanvas->size(), QSize(482, 150));
        QCOMPARE(w->status->geometry(), QRect(13, 179, 480 - 26, w->content()->height() - 192));
        QCOMPARE(w->StaticText1->geometry(), caption);
        QVERIFY(qAbs(t->columnWidth(0) - t->viewport()->width() * 30 / 100) <= 2);

        w->resize(800, 100);
        testing::drain(1);
        QCOMPARE(w->content()->width(), 500);
        QCOMPARE(w->width(), 500);  // the window too, not only its content
        QCOMPARE(w->maximumWidth(), 500);
        QVERIFY(w->content()->height() >= 400);
        w->resize(100, 100);
        testing::drain(1);
        QCOMPARE(w->content()->size(), QSize(355, 400));
    }

    void closeFromTheDesktop_isRefused() {
        playerListWindow* w = plw();
        w->Show();
        displayMessage(QStringLiteral("kept"), false);
        w->windowHandle()->close();
        testing::drain(3);
        QCOMPARE(plw(), w);
        QVERIFY(w->isVisible());
        QCOMPARE(testing::historyLines(), QStringList{QStringLiteral("kept")});
    }
};

ZORVIK_TEST(PlayerListTest)
#include "test_playerlist.moc"
