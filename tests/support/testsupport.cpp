#include "tests/support/testsupport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include "base/resources.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/dialogs.h"
#include "fw/menu.h"
#include "fw/placement.h"
#include "fw/prefs.h"
#include "fw/random.h"
#include "fw/sound.h"
#include "fw/window.h"
#include "shell/playerlistwindow.h"

namespace testing {

std::vector<std::pair<const char*, Factory>>& registeredTests() {
    static std::vector<std::pair<const char*, Factory>> v;
    return v;
}

int registerTest(const char* name, Factory factory) {
    registeredTests().emplace_back(name, std::move(factory));
    return int(registeredTests().size());
}

void emptyClipboard() {
    QClipboard* c = QGuiApplication::clipboard();
    c->setMimeData(new QMimeData, QClipboard::Clipboard);
    if (c->supportsSelection()) c->setMimeData(new QMimeData, QClipboard::Selection);
}

QString preferencesFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

QString prefsPath() { return QDir(fw::PreferencesFolder()).filePath(QStringLiteral("Zorvik Prefs")); }

void writePrefs(const QByteArray& bytes) {
    QFile f(prefsPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(prefsPath()));
    f.write(bytes);
}

QByteArray readPrefs() {
    QFile f(prefsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void drain(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void resetGame(unsigned seed) {
    initResources();
    for (fw::Window* w : fw::Window::allOpen()) w->Close();
    drain(3);
    fw::setPreferencesFolder(preferencesFolder());
    fw::seedRandom(seed);
    fw::setRandomSource(nullptr);
    fw::setDialogResponder([](const fw::DialogRecord&) { return 0; });
    fw::Window::setModalHook(nullptr);
    fw::setAvailableAreaForTests(QRect(0, 0, 1920, 1050));  // a roomy desktop, whatever the test screen
    fw::playedSounds().clear();
    fw::beepCount() = 0;
    fw::shownDialogs().clear();
    boardClass::forcedFaces().clear();
    globalsModule::createArrays();
    globalsModule::init();
}

void forceFaces(std::initializer_list<int> faces) {
    for (int f : faces) boardClass::forcedFaces().push_back(f);
}

void setFaces(std::initializer_list<int> faces) {
    int i = 1;
    for (int f : faces) {
        dieClass& d = globalsModule::dice(i);
        d.face = f;
        d.save = false;
        d.containsPoints = false;
        d.x = 210 + 80 * ((i - 1) % 3);
        d.y = 20 + 100 * ((i - 1) / 3);
        ++i;
    }
}

void chooseInMenuBar(QWidget* window, const fw::MenuItem& item) {
    auto* bar = window->findChild<QMenuBar*>();
    for (QAction* title : bar ? bar->actions() : QList<QAction*>()) {
        QMenu* menu = title->menu();
        if (!menu || !menu->actions().contains(item.action())) continue;
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(window, bar->actionGeometry(title).center()));
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                          menu->actionGeometry(item.action()).center());
        return;
    }
    QTest::qFail("the menu bar has no such item", __FILE__, __LINE__);
}

QStringList historyLines() {
    QString text = playerListWindow::get()->status->toPlainText();
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

}  // namespace testing
