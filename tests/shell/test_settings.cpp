#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>

#include "engine/globals.h"
#include "fw/prefs.h"
#include "shell/gamesettingswindow.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
using testing::prefsPath;
using testing::readPrefs;

gameSettingsWindow* openDialog() {
    gameSettingsWindow* d = gameSettingsWindow::get();
    d->Show();
    testing::drain(2);
    return d;
}

void addPlayer(gameSettingsWindow* d, const QString& name, const QString& kind) {
    d->playerKindPopup->setCurrentText(kind);
    QTest::keyClicks(d->nameField, name);
    QVERIFY(d->addButton->isEnabled());
    QTest::mouseClick(d->addButton, Qt::LeftButton);
}

// "ticked name kind" of every row.
QStringList rows(gameSettingsWindow* d) {
    QStringList result;
    for (int r = 0; r < d->playerListBox->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = d->playerListBox->topLevelItem(r);
        result << QStringLiteral("%1 %2 %3")
                      .arg(row->checkState(0) == Qt::Checked)
                      .arg(row->text(1), row->text(2));
    }
    return result;
}

QPoint cellCentre(QTreeWidget* list, int row, int column) {
    return list->visualRect(list->model()->index(row, column)).center();
}

void clickRow(QTreeWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, 2));
}

void clickCheckBox(QTreeWidget* list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualRect(list->model()->index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

std::shared_ptr<playerClass> player(const QString& name, int kind, bool active, int score = 0) {
    auto p = std::make_shared<playerClass>();
    p->name = name;
    p->human = kind;
    p->active = active;
    p->score = score;
    return p;
}
}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(prefsPath());
    }

    void firstStart_emptyDialog_thenPlayersAdded() {
        gameSettingsWindow* d = openDialog();
        QCOMPARE(d->playerListBox->topLevelItemCount(), 0);
        QVERIFY(!d->okayButton->isEnabled());
        QVERIFY(!d->addButton->isEnabled());
        QCOMPARE(d->roundSizePopup->currentText(), QStringLiteral("1000"));
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("Human"));

        addPlayer(d, QStringLiteral("Ann"), QStringLiteral("Human"));
        QCOMPARE(rows(d), QStringList({QStringLiteral("1 Ann Human")}));
        QCOMPARE(d->nameField->text(), QString());
        QVERIFY(!d->addButton->isEnabled());
        QVERIFY(!d->okayButton->isEnabled());
        QVERIFY(d->playerListBox->selectedItems().isEmpty());

        // With no row selected the kind popup changes no row.
        d->playerKindPopup->setCurrentText(QStringLiteral("CPU: Wicked"));
        QCOMPARE(rows(d), QStringList({QStringLiteral("1 Ann Human")}));
        addPlayer(d, QStringLiteral("Bob"), QStringLiteral("CPU: Wicked"));
        QVERIFY(d->okayButton->isEnabled());
        addPlayer(d, QStringLiteral(" Bob "), QStringLiteral("CPU: Evil"));
        QCOMPARE(rows(d), QStringList({QStringLiteral("1 Ann Human"), QStringLiteral("1 Bob CPU: Wicked"),
                                       QStringLiteral("1  Bob  CPU: Evil")}));
        // Nothing reaches the module before "Start Game".
        QCOMPARE(gCompletePlayerList.ubound(), 0);
        QCOMPARE(gPlayerList.ubound(), 0);
    }

    void tickingAndBackspace_gateStartGame() {
        gameSettingsWindow* d = openDialog();
        addPlayer(d, QStringLiteral("Ann"), QStringLiteral("Human"));
        addPlayer(d, QStringLiteral("Bob"), QStringLiteral("Human"));
        QTreeWidget* list = d->playerListBox;
        QVERIFY(d->okayButton->isEnabled());

        clickCheckBox(list, 1);
        QCOMPARE(rows(d).at(1), QStringLiteral("0 Bob Human"));
        QVERIFY(!d->okayButton->isEnabled());
        clickCheckBox(list, 1);
        QVERIFY(d->okayButton->isEnabled());

        // Backspace without a selection, or another key, leaves the list as it is.
        QTest::keyClick(list, Qt::Key_Backspace);
        clickRow(list, 0);
        QTest::keyClick(list, Qt::Key_X);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(rows(d).size(), 2);

        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(rows(d), QStringList({QStringLiteral("1 Bob Human")}));
        QVERIFY(!d->okayButton->isEnabled());
        QVERIFY(d->isVisible());
    }

    void kindPopup_followsTheSelectedRow_andSparesARunningGame() {
        QFile f(prefsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2\ntrue\n0\nXena\nfalse\n3\nYuri\n20000\n");
        f.close();
        gCompletePlayerList.redim(3);
        gCompletePlayerList.put(1, player(QStringLiteral("A"), 0, true));
        gCompletePlayerList.put(2, player(QStringLiteral("B"), 2, false));
        gCompletePlayerList.put(3, player(QStringLiteral("C"), 5, true));
        gRoundSize = 10000;
        // A game in progress.
        gPlayerList.redim(2);
        const auto a = player(QStringLiteral("A"), 0, false, 1200);
        const auto c = player(QStringLiteral("C"), 5, false, 800);
        gPlayerList.put(1, a);
        gPlayerList.put(2, c);
        QTreeWidget* scores = playerListWindow::get()->ListBox1;
        new QTreeWidgetItem(scores, {QStringLiteral("A"), QStringLiteral("1200")});
        new QTreeWidgetItem(scores, {QStringLiteral("C"), QStringLiteral("800")});

        gameSettingsWindow* d = openDialog();
        QCOMPARE(rows(d), QStringList({QStringLiteral("1 A Human"), QStringLiteral("0 B CPU: Clever"),
                                       QStringLiteral("1 C CPU: Evil")}));
        QCOMPARE(d->roundSizePopup->currentText(), QStringLiteral("10000"));
        clickRow(d->playerListBox, 1);
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("CPU: Clever"));
        d->playerListBox->clearSelection();
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("Human"));
        clickRow(d->playerListBox, 2);
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("CPU: Evil"));

        d->playerKindPopup->setCurrentText(QStringLiteral("CPU: Dumb"));
        QCOMPARE(rows(d).at(2), QStringLiteral("1 C CPU: Dumb"));
        QCOMPARE(gCompletePlayerList(3).human, 5);
        QCOMPARE(gPlayerList.ubound(), 2);
        QVERIFY(gPlayerList[1] == a && gPlayerList[2] == c);
        QCOMPARE(a->score, 1200);
        QCOMPARE(scores->topLevelItem(0)->text(1), QStringLiteral("1200"));

        // Cancel takes the roster from the file and keeps the game, its round length included.
        d->roundSizePopup->setCurrentText(QStringLiteral("50000"));
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isClosed());
        QCOMPARE(gCompletePlayerList.ubound(), 2);
        QCOMPARE(gCompletePlayerList(2).name, QStringLiteral("Yuri"));
        QCOMPARE(gRoundSize, 10000);
        QVERIFY(gPlayerList[1] == a && gPlayerList[2] == c);
        QCOMPARE(c->score, 800);
        QCOMPARE(scores->topLevelItemCount(), 2);

        gameSettingsWindow* again = openDialog();
        QCOMPARE(rows(again),
                 QStringList({QStringLiteral("1 Xena Human"), QStringLiteral("0 Yuri CPU: Crafty")}));
        QCOMPARE(again->roundSizePopup->currentText(), QStringLiteral("10000"));
    }

    void startGame_buildsTheListsAndSavesThem() {
        gameSettingsWindow* d = openDialog();
        addPlayer(d, QStringLiteral("A"), QStringLiteral("Human"));
        QTest::keyClick(d, Qt::Key_Return);  // one player ticked: "Start Game" is off
        QVERIFY(!d->isClosed());
        QVERIFY(!QFile::exists(prefsPath()));
        addPlayer(d, QStringLiteral("B"), QStringLiteral("CPU: Crafty"));
        addPlayer(d, QStringLiteral("C"), QStringLiteral("Human"));
        clickCheckBox(d->playerListBox, 1);
        d->roundSizePopup->setCurrentText(QStringLiteral("35000"));
        QTest::keyClick(d, Qt::Key_Return);

        QCOMPARE(gCompletePlayerList.ubound(), 3);
        QCOMPARE(gCompletePlayerList(2).name, QStringLiteral("B"));
        QCOMPARE(gCompletePlayerList(2).human, 3);
        QCOMPARE(gCompletePlayerList(2).active, false);
        QCOMPARE(gPlayerList.ubound(), 2);
        QCOMPARE(gPlayerList(1).name, QStringLiteral("A"));
        QCOMPARE(gPlayerList(2).name, QStringLiteral("C"));
        QCOMPARE(gPlayerList(2).score, 0);
        QVERIFY(gPlayerList[1] != gCompletePlayerList[1]);
        QCOMPARE(gRoundSize, 35000);
        QTreeWidget* scores = playerListWindow::get()->ListBox1;
        QCOMPARE(scores->topLevelItemCount(), 2);
        QCOMPARE(scores->topLevelItem(1)->text(0), QStringLiteral("C"));
        QCOMPARE(scores->topLevelItem(1)->text(1), QStringLiteral("0"));
        QCOMPARE(readPrefs(), QByteArray("3\ntrue\n0\nA\nfalse\n3\nB\ntrue\n0\nC\n35000\n"));

        if (!d->isClosed()) d->Close();
        gameSettingsWindow* again = openDialog();
        QCOMPARE(rows(again), QStringList({QStringLiteral("1 A Human"), QStringLiteral("0 B CPU: Crafty"),
                                           QStringLiteral("1 C Human")}));
        QCOMPARE(again->roundSizePopup->currentText(), QStringLiteral("35000"));
        again->Close();
        gRoundSize = 1234;
        QCOMPARE(openDialog()->roundSizePopup->currentText(), QStringLiteral("1000"));
    }

    void nameEditedInPlace_onlyTheNameColumn() {
        gameSettingsWindow* d = openDialog();
        QVERIFY(d->isActiveWindow());
        addPlayer(d, QStringLiteral("Ann"), QStringLiteral("CPU: Dumb"));
        addPlayer(d, QStringLiteral("Bob"), QStringLiteral("Human"));
        QTreeWidget* list = d->playerListBox;
        list->editItem(list->topLevelItem(0), 2);
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()) ||
                QApplication::focusWidget() == d->nameField);
        list->editItem(list->topLevelItem(0), 1);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && editor != d->nameField);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Anna"));
        QTest::keyClick(editor, Qt::Key_Return);  // ends the edit; does not start the game
        testing::drain(2);
        QCOMPARE(rows(d).at(0), QStringLiteral("1 Anna CPU: Dumb"));
        QVERIFY(!d->isClosed());
        QCOMPARE(gPlayerList.ubound(), 0);
        QVERIFY(d->okayButton->isEnabled());
    }
};

ZORVIK_TEST(SettingsDialogTest)
#include "test_settings.moc"
