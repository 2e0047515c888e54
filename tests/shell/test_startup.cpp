#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include "engine/globals.h"
#include "fw/menu.h"
#include "fw/prefs.h"
#include "shell/aboutwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menuholderwindow.h"
#include "tests/shell/test_startupscript.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
using testing::prefsPath;
using testing::readPrefs;
using testing::writePrefs;

QStringList visibleWindows() {
    QStringList names;
    for (fw::Window* w : fw::Window::allOpen())
        if (w->isVisible()) names << QString::fromLatin1(w->metaObject()->className());
    return names;
}

// The version of the CMake project, "1.0.0" from "project(Zorvik VERSION 1.0.0 ...)".
QString projectVersion() {
    QFile f(QStringLiteral(ZORVIK_SOURCE_DIR "/CMakeLists.txt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression project(QStringLiteral(R"(project\(Zorvik VERSION (\d+\.\d+\.\d+))"));
    return project.match(QString::fromUtf8(f.readAll())).captured(1);
}

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    return titles;
}
}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(prefsPath());
    }

    void firstDialog_comesAfterInitAndPrefs_andCancelLeavesTheMenus() {
        const QByteArray stored("2\ntrue\n3\nAnn\nfalse\n0\nBob\n10000\n");
        writePrefs(stored);
        gPlayerList.redim(4);  // left over: start-up makes the module arrays anew
        gComputerList[5] = QString();

        Script script;
        QStringList modals;
        fw::Window::setModalHook([&](fw::Window* w) {
            modals << QString::fromLatin1(w->metaObject()->className());
            if (auto* d = qobject_cast<gameSettingsWindow*>(w)) {
                if (modals.size() == 1) {
                    script.check(gPlayerList.ubound() == 0, QStringLiteral("module arrays made anew"));
                    script.check(gComputerList[5] == QStringLiteral("CPU: Evil"), QStringLiteral("init ran"));
                    script.check(dice(6).x == -100, QStringLiteral("dice made"));
                    script.check(gCompletePlayerList.ubound() == 2 && gRoundSize == 10000,
                                 QStringLiteral("prefs read"));
                    script.check(d->playerListBox->topLevelItemCount() == 2, QStringLiteral("roster listed"));
                    script.check(d->roundSizePopup->currentText() == QStringLiteral("10000"),
                                 QStringLiteral("round length shown"));
                    script.check(d->windowModality() == Qt::ApplicationModal, QStringLiteral("modal"));
                    script.check(visibleWindows() == QStringList{QStringLiteral("gameSettingsWindow")},
                                 QStringLiteral("dialog alone on screen"));
                    d->playerListBox->topLevelItem(0)->setText(1, QStringLiteral("Changed"));
                }
                d->cancelButton->Push();
            } else {
                QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(300, 250));
            }
        });

        QPointer<menuHolderWindow> holder;
        script.add(QStringLiteral("holder up after Cancel"), [&] {
            holder = fw::Window::ifOpen<menuHolderWindow>();
            if (!holder || !holder->isVisible()) return false;
            auto* bar = qobject_cast<QMenuBar*>(holder->layout()->menuBar());
            script.check(
                bar && menuTitles(bar) == QStringList({QStringLiteral("File"), QStringLiteral("Edit"),
                                                       QStringLiteral("Help")}),
                QStringLiteral("menu bar"));
            script.check(visibleWindows() == QStringList{QStringLiteral("menuHolderWindow")},
                         QStringLiteral("no game window"));
            script.check(gCompletePlayerList(1).name == QStringLiteral("Ann"),
                         QStringLiteral("roster reloaded"));
            script.check(FileNewGame()->Enabled() && AppleAbout()->Enabled() && FileQuit()->Enabled(),
                         QStringLiteral("items on"));
            script.check(HelpInstructions()->Enabled() && HelpCheckforUpdates()->Enabled(),
                         QStringLiteral("the update check and the manual on"));
            return true;
        });
        script.add(QStringLiteral("New Game opens the dialog again"), [&] {
            FileNewGame()->action()->trigger();
            script.check(modals.size() == 2 && modals.last() == QStringLiteral("gameSettingsWindow"),
                         QStringLiteral("second dialog"));
            return true;
        });
        script.add(QStringLiteral("About shows the box; a press closes it"), [&] {
            AppleAbout()->action()->trigger();
            script.check(modals.size() == 3 && modals.last() == QStringLiteral("aboutWindow"),
                         QStringLiteral("about box"));
            script.check(!fw::Window::ifOpen<aboutWindow>(), QStringLiteral("about box closed"));
            return true;
        });
        script.add(QStringLiteral("closing the holder, the last window, quits"), [&] {
            if (!script.check(holder && holder->isVisible(), QStringLiteral("holder"))) return true;
            holder->close();  // its close box
            return true;
        });
        script.add(QStringLiteral("the program quits"), [] { return false; });
        script.start();

        const int code = runApplication(0, nullptr);
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
        QCOMPARE(script.current(), QStringLiteral("the program quits"));
        QCOMPARE(code, 0);
        QCOMPARE(visibleWindows(), QStringList());
        QCOMPARE(readPrefs(), stored);  // nothing saved without "Start Game"
    }

    void quitKey_inTheFirstDialog_endsTheProgram() {
        Script script;
        int shown = 0;
        fw::Window::setModalHook([&](fw::Window* w) {
            ++shown;
            script.check(w->actions().contains(FileQuit()->action()), QStringLiteral("dialog answers Quit"));
            w->activateWindow();
            QCoreApplication::processEvents();
            script.check(w->isActiveWindow(), QStringLiteral("dialog active"));
            QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
        });
        script.add(QStringLiteral("the program quits"), [] { return false; });
        script.start();
        const int code = runApplication(0, nullptr);
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
        QCOMPARE(code, 0);
        QCOMPARE(shown, 1);
        QCOMPARE(visibleWindows(), QStringList());
        QVERIFY(!QFile::exists(prefsPath()));
    }

    void menuHandlers_areFoundByNameWhateverTheCase() {
        setUpApplication();
        for (const char* name : {"AppleAbout", "FileNewGame", "HelpInstructions", "FileQuit",
                                 "HelpCheckforUpdates", "fileNEWgame"})
            QVERIFY2(App()->hasMenuHandler(QLatin1String(name)), name);
        QVERIFY(!App()->hasMenuHandler(QStringLiteral("EditCut")));
        QCOMPARE(App()->ShortVersion(), projectVersion());
        fw::Window::setMenuBarFactory(nullptr);
    }
};

ZORVIK_TEST(StartUpTest)
#include "test_startup.moc"
