#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "engine/globals.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
QTextEdit* history() { return playerListWindow::get()->status; }

// Whether every character of line `n` (counted from 0) is bold, or none is.
bool lineBold(int n) {
    const QTextBlock block = history()->document()->findBlockByNumber(n);
    bool any = false;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        any = any || it.fragment().charFormat().fontWeight() >= QFont::Bold;
    return any;
}
}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        while (gIndentLevel > 0) decIndent();
    }

    void lines_areIndentedFourBlanksPerLevel() {
        displayMessage(QStringLiteral("top"), false);
        incIndent();
        incIndent();
        displayMessage(QStringLiteral("-"), false);
        displayMessage(QString(), false);
        decIndent();
        displayMessage(QStringLiteral("--"), false);
        QCOMPARE(
            testing::historyLines(),
            (QStringList{QStringLiteral("top"), QStringLiteral("        ") + QString(25, QLatin1Char('-')),
                         QStringLiteral("        "), QStringLiteral("    --")}));
        QCOMPARE(history()->toPlainText().right(1), QStringLiteral("\n"));
    }

    void indentation_staysWithinZeroToFive() {
        decIndent();
        QCOMPARE(gIndentLevel, 0);
        for (int i = 0; i < 9; ++i) incIndent();
        QCOMPARE(gIndentLevel, 5);
        displayMessage(QStringLiteral("deep"), false);
        QCOMPARE(testing::historyLines().last(), QString(20, QLatin1Char(' ')) + QStringLiteral("deep"));
        for (int i = 0; i < 9; ++i) decIndent();
        QCOMPARE(gIndentLevel, 0);
    }

    void bold_coversOneLineOnly() {
        incIndent();
        displayMessage(QStringLiteral("Turn number 1:"), true);
        displayMessage(QStringLiteral("plain after bold"), false);
        displayMessage(QStringLiteral("bold again"), true);
        QVERIFY(lineBold(0));
        QVERIFY(!lineBold(1));
        QVERIFY(lineBold(2));
        decIndent();
    }

    void userSelection_isNeitherReplacedNorLost() {
        displayMessage(QStringLiteral("first line"), false);
        displayMessage(QStringLiteral("second line"), false);
        QTextCursor selection = history()->textCursor();
        selection.setPosition(2);
        selection.setPosition(8, QTextCursor::KeepAnchor);
        history()->setTextCursor(selection);
        displayMessage(QStringLiteral("third line"), true);
        QCOMPARE(testing::historyLines(),
                 (QStringList{QStringLiteral("first line"), QStringLiteral("second line"),
                              QStringLiteral("third line")}));
        QCOMPARE(history()->textCursor().selectedText(), QStringLiteral("rst li"));
        QVERIFY(lineBold(2));
        QVERIFY(!lineBold(0));
    }

    // One who never scrolls sees each new line, also once the field got smaller; one who scrolled
    // back keeps those lines in view until back at the end.
    void view_followsNewLinesOnlyFromTheEnd() {
        playerListWindow::get()->Show();
        QScrollBar* bar = history()->verticalScrollBar();
        for (int i = 0; i < 40; ++i) {
            displayMessage(QStringLiteral("line %1").arg(i), false);
            QCOMPARE(bar->value(), bar->maximum());
        }
        QVERIFY(bar->maximum() > 0);
        history()->resize(history()->width(), history()->height() / 2);
        QVERIFY(bar->value() < bar->maximum());
        displayMessage(QStringLiteral("smaller"), false);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(bar->maximum() / 2);
        const int reading = bar->value();
        displayMessage(QStringLiteral("while reading"), false);
        QCOMPARE(bar->value(), reading);
        history()->selectAll();  // a selection to the end grows with no line, nor scrolls to it
        bar->setValue(reading);
        displayMessage(QStringLiteral("all selected"), false);
        QCOMPARE(bar->value(), reading);
        bar->setValue(bar->maximum());
        displayMessage(QStringLiteral("at the end again"), false);
        QCOMPARE(bar->value(), bar->maximum());
        // Emptied (a new game) while scrolled to its top: the new lines are followed.
        bar->setValue(0);
        history()->clear();
        for (int i = 0; i < 40; ++i) displayMessage(QStringLiteral("next game %1").arg(i), false);
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void closedWindow_getsLinesInNewWindow() {
        displayMessage(QStringLiteral("old"), false);
        playerListWindow::get()->Close();
        displayMessage(QStringLiteral("new"), false);
        QCOMPARE(testing::historyLines(), QStringList{QStringLiteral("new")});
    }

    void repeatChar_handlesZeroAndNegative() {
        QCOMPARE(repeatChar(QStringLiteral("ab"), 3), QStringLiteral("ababab"));
        QCOMPARE(repeatChar(QStringLiteral("ab"), 0), QString());
        QCOMPARE(repeatChar(QStringLiteral("ab"), -2), QString());
    }

    void records_startAsTheGameExpects() {
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(dice(i).face, 0);
            QCOMPARE(dice(i).x, -100);
            QCOMPARE(dice(i).y, -100);
            QVERIFY(!dice(i).save && !dice(i).savedThisTurn);
        }
        QCOMPARE(dice.ubound(), 6);
        QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, dice(0));
        QCOMPARE(gComputerList.ubound(), 5);
        QCOMPARE(gComputerList[0], QStringLiteral("Human"));
        QCOMPARE(gComputerList[3], QStringLiteral("CPU: Crafty"));
        QCOMPARE(gComputerList[5], QStringLiteral("CPU: Evil"));
        QCOMPARE(gPlayerList.ubound(), 0);
        QCOMPARE(gCompletePlayerList.ubound(), 0);
    }
};

ZORVIK_TEST(HistoryTest)
#include "test_history.moc"
