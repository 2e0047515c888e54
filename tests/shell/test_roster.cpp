#include <QAbstractEventDispatcher>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeWidget>

#include "engine/globals.h"
#include "fw/dialogs.h"
#include "shell/gamesettingswindow.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
void setRoster(int players) {
    gCompletePlayerList.redim(players);
    for (int i = 1; i <= players; ++i) {
        auto p = std::make_shared<playerClass>();
        p->name = QStringLiteral("Player %1").arg(i);
        p->human = i % 6;
        p->active = i % 3 == 0;
        gCompletePlayerList.put(i, p);
    }
}

// Passes of the event loop (each loop yield is one) made while `work` runs.
int eventLoopPasses(const std::function<void()>& work) {
    int passes = 0;
    auto* dispatcher = QAbstractEventDispatcher::instance();
    const auto counter = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { ++passes; });
    work();
    QObject::disconnect(counter);
    return passes;
}

// Counts how often a list measures one of its rows.
class MeasuringDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    mutable int measured = 0;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
};

int passesToOpenWith(int players) {
    testing::resetGame();
    setRoster(players);
    return eventLoopPasses([] { gameSettingsWindow::get(); });
}
}  // namespace

class RosterDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(testing::prefsPath());
    }

    // A roster of n players opens with a pass per player, not one per player and row.
    void largeRoster_opensInPassesGrowingWithItsSize() {
        const int small = passesToOpenWith(300);
        const int large = passesToOpenWith(600);
        QVERIFY2(small < 3 * 300 && large < 3 * 600,
                 qPrintable(QStringLiteral("%1, %2").arg(small).arg(large)));

        gameSettingsWindow* d = gameSettingsWindow::get();
        QTreeWidget* list = d->playerListBox;
        QCOMPARE(list->topLevelItemCount(), 600);
        const QTreeWidgetItem* last = list->topLevelItem(599);
        QCOMPARE(last->text(1), QStringLiteral("Player 600"));
        QCOMPARE(last->text(2), QStringLiteral("Human"));
        QCOMPARE(last->checkState(0), Qt::Checked);
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("CPU: Dumb"));
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QVERIFY(d->okayButton->isEnabled());
        QVERIFY(d->playerListBox->selectedItems().isEmpty());
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("Human"));

        // Rows filled at once still raise their handlers when a person changes them.
        list->topLevelItem(599)->setCheckState(0, Qt::Unchecked);
        QVERIFY(d->okayButton->isEnabled());
        setRoster(3);
        d->Close();
        d = gameSettingsWindow::get();
        QVERIFY(!d->okayButton->isEnabled());
        d->playerListBox->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QVERIFY(d->okayButton->isEnabled());
    }

    // "Start Game" over a shown score table: each row's update measures a few rows, not all above it.
    void largeRoster_startGameMeasuresEachScoreRowAFewTimes() {
        setRoster(600);
        playerListWindow::get()->Show();
        QTreeWidget* scores = playerListWindow::get()->ListBox1;
        auto* measuring = new MeasuringDelegate(scores);
        scores->setItemDelegate(measuring);
        gameSettingsWindow::get()->okayButton->Push();
        QCOMPARE(gPlayerList.ubound(), 200);
        QCOMPARE(scores->topLevelItemCount(), 200);
        QVERIFY2(measuring->measured < 10 * 200, qPrintable(QString::number(measuring->measured)));
    }
};

ZORVIK_TEST(RosterDialogTest)
#include "test_roster.moc"
