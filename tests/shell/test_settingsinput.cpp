#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "engine/globals.h"
#include "fw/events.h"
#include "shell/gamesettingswindow.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
gameSettingsWindow* dialogWith(std::initializer_list<std::pair<const char*, int>> players) {
    gCompletePlayerList.redim(int(players.size()));
    int i = 0;
    for (const auto& [name, kind] : players) {
        auto p = std::make_shared<playerClass>();
        p->name = QString::fromLatin1(name);
        p->human = kind;
        p->active = true;
        gCompletePlayerList.put(++i, p);
    }
    gameSettingsWindow* d = gameSettingsWindow::get();
    d->Show();
    testing::drain(2);
    return d;
}

QStringList rows(gameSettingsWindow* d) {
    QStringList result;
    for (int r = 0; r < d->playerListBox->topLevelItemCount(); ++r)
        result << d->playerListBox->topLevelItem(r)->text(1) + QLatin1Char(' ') +
                      d->playerListBox->topLevelItem(r)->text(2);
    return result;
}

void clickCell(QTreeWidget* list, int row, int column, bool twice = false) {
    const QPoint at = list->visualRect(list->model()->index(row, column)).center();
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Quick typing: the second key arrives while the first key's handler runs (in one of its loop
// yields). True when it did arrive there.
bool typeQuickly(QWidget* first, Qt::Key key1, QWidget* second, Qt::Key key2) {
    bool duringHandler = false;
    QTimer::singleShot(0, second, [&duringHandler, second, key2] {
        duringHandler = fw::handlerDepth() > 0;
        QTest::keyClick(second, key2);
    });
    QTest::keyClick(first, key1);
    testing::drain(5);
    return duringHandler;
}
}  // namespace

// Keys and edits that race the dialog's own handlers.
class SettingsInputTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(testing::prefsPath());
    }

    void returnThenBackspace_startsTheGameWithEveryRow() {
        gameSettingsWindow* d = dialogWith({{"Ann", 0}, {"Bob", 0}, {"Cy", 0}});
        clickCell(d->playerListBox, 2, 2);
        QVERIFY(typeQuickly(d, Qt::Key_Return, d->playerListBox, Qt::Key_Backspace));
        QVERIFY(!fw::Window::ifOpen<gameSettingsWindow>());
        QCOMPARE(gCompletePlayerList.ubound(), 3);
        QCOMPARE(gCompletePlayerList(3).name, QStringLiteral("Cy"));
        QCOMPARE(gPlayerList.ubound(), 3);
    }

    void downDown_leavesEveryKindAsItWas() {
        gameSettingsWindow* d = dialogWith({{"Ann", 0}, {"Bob", 5}, {"Cy", 1}});
        const QStringList before = rows(d);
        clickCell(d->playerListBox, 0, 2);
        QVERIFY(typeQuickly(d->playerListBox, Qt::Key_Down, d->playerListBox, Qt::Key_Down));
        QCOMPARE(rows(d), before);
        // The second key met the first one's handler and was dropped.
        QCOMPARE(d->playerListBox->currentItem()->text(1), QStringLiteral("Bob"));
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("CPU: Evil"));
        d->Close();
    }

    void nameBeingEdited_isKeptByStartGame_andHasNoLengthLimit() {
        gameSettingsWindow* d = dialogWith({{"Ann", 0}, {"Bob", 0}});
        QTreeWidget* list = d->playerListBox;
        clickCell(list, 0, 1);
        clickCell(list, 0, 1, true);
        auto* editor = list->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        const QString longName(70000, QLatin1Char('n'));
        editor->selectAll();
        editor->insert(longName);
        QTest::mouseClick(d->okayButton, Qt::LeftButton);
        QVERIFY(d->isClosed());
        QCOMPARE(gCompletePlayerList(1).name.size(), longName.size());
        QCOMPARE(gPlayerList(1).name.size(), longName.size());

        gameSettingsWindow* again = gameSettingsWindow::get();
        again->nameField->setText(longName + QLatin1Char('!'));
        QCOMPARE(again->nameField->text().size(), longName.size() + 1);
        again->Close();
    }

    void clickOnTheNameFieldDuringAHandler_leavesTheNameEditOpen() {
        gameSettingsWindow* d = dialogWith({{"Ann", 0}, {"Bob", 0}});
        QTreeWidget* list = d->playerListBox;
        clickCell(list, 0, 1);
        clickCell(list, 0, 1, true);
        QPointer<QLineEdit> editor = list->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->hasFocus());
        editor->selectAll();
        editor->insert(QStringLiteral("Ada"));
        const QPoint onField = d->nameField->mapTo(d, QPoint(5, 5));
        {
            fw::HandlerScope running;  // as in the yields of the list's own handler
            QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, onField);
            QVERIFY(editor && editor->hasFocus());
            QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Ann"));
        }
        QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, onField);
        QVERIFY(d->nameField->hasFocus());
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Ada"));
        d->Close();
    }

    void backspace_removesTheSelectedRowOnly() {
        gameSettingsWindow* d = dialogWith({{"Ann", 0}, {"Bob", 0}, {"Cy", 0}});
        clickCell(d->playerListBox, 1, 2);
        QTest::keyClick(d->playerListBox, Qt::Key_Backspace);
        QCOMPARE(rows(d), QStringList({QStringLiteral("Ann Human"), QStringLiteral("Cy Human")}));
        QVERIFY(d->playerListBox->selectedItems().isEmpty());
        QCOMPARE(d->playerKindPopup->currentText(), QStringLiteral("Human"));
        QTest::keyClick(d->playerListBox, Qt::Key_Backspace);
        QCOMPARE(rows(d).size(), 2);
        d->Close();
    }

    void addThisPlayer_byKeyboard_leavesTheKeyboardInTheEmptiedNameField() {
        gameSettingsWindow* d = dialogWith({});
        QVERIFY(d->nameField->hasFocus());
        // Tab from the name to the kind and on to "Add This Player", pressed with Space, then Return.
        for (const auto& [name, press] :
             {std::pair{"Ann", Qt::Key_Space}, std::pair{"Bob", Qt::Key_Return}}) {
            QTest::keyClicks(QApplication::focusWidget(), QLatin1String(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), d->addButton);
            QTest::keyClick(QApplication::focusWidget(), press);
            QVERIFY(!d->addButton->isEnabled());
            QCOMPARE(QApplication::focusWidget(), d->nameField);
            QCOMPARE(d->nameField->text(), QString());
        }
        QCOMPARE(rows(d), QStringList({QStringLiteral("Ann CPU: Dumb"), QStringLiteral("Bob CPU: Clever")}));
        QCOMPARE(d->roundSizePopup->currentText(),
                 QStringLiteral("1000"));  // the arrow went to the kind only
        d->Close();
    }
};

ZORVIK_TEST(SettingsInputTest)
#include "test_settingsinput.moc"
