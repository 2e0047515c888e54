#include "shell/app.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "base/resources.h"
#include "base/version.h"
#include "engine/globals.h"
#include "fw/errors.h"
#include "fw/events.h"
#include "fw/text.h"
#include "fw/window.h"
#include "help/helpwindow.h"
#include "shell/aboutwindow.h"
#include "shell/appicon.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "shell/menuholderwindow.h"
#include "update/updatewindow.h"

namespace {
// An exception that no handler caught ends the program instead of leaving Qt's event loop in
// an undefined state.
void unhandled(const char* what) {
    qCritical("Zorvik!: unhandled exception: %s", what);
    QCoreApplication::exit(1);
}

class ZorvikApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            unhandled(e.what());
        }
        return false;
    }
};

fw::MenuItem* menuItem(const char* name) {
    if (!App()->MenuBar) throw fw::NilObjectException();
    fw::MenuItem* item = App()->MenuBar->find(QString::fromLatin1(name));
    if (!item) throw fw::NilObjectException();
    return item;
}

// The active window's own enabling, for the windows that have one.
void activeWindowEnableMenuItems() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) w = QApplication::activeWindow();
    if (auto* window = qobject_cast<fw::Window*>(w)) window->EnableMenuItems();
}
}  // namespace

app* App() {
    static app theApp;
    return &theApp;
}

fw::MenuItem* AppleAbout() { return menuItem("AppleAbout"); }
fw::MenuItem* FileNewGame() { return menuItem("FileNewGame"); }
fw::MenuItem* HelpInstructions() { return menuItem("HelpInstructions"); }
fw::MenuItem* HelpCheckforUpdates() { return menuItem("HelpCheckforUpdates"); }
fw::MenuItem* FileQuit() { return menuItem("FileQuit"); }

void app::EnableMenuItems() {
    AppleAbout()->setEnabled(true);
    FileNewGame()->setEnabled(true);
    HelpInstructions()->setEnabled(true);
    HelpCheckforUpdates()->setEnabled(true);
}

void app::Open() {
    globalsModule::init();
    globalsModule::loadPrefs();
    gameSettingsWindow::get()->ShowModal();
    MenuBar->updateEnabled();
}

bool app::_AppleAbout_Action() {
    aboutWindow::get()->ShowModal();
    return false;
}

bool app::_FileNewGame_Action() {
    gameSettingsWindow::get()->ShowModal();
    MenuBar->updateEnabled();
    return false;
}

bool app::_helpInstructions_Action() {
    helpWindow::get()->helpShow(zorvikmanual());
    return false;
}

bool app::_fileQuit_Action() { return false; }

bool app::_helpCheckforUpdates_Action() {
    updateWindow::get()->ShowModal();
    return false;
}

void app::AddMenuHandler(const QString& key, std::function<bool()> handler) {
    handlers_.append({key, std::move(handler)});
}

void app::RemoveMenuHandlers() { handlers_.clear(); }

bool app::hasMenuHandler(const QString& itemName) const {
    for (const auto& [key, handler] : handlers_)
        if (fw::textEquals(key, itemName)) return true;
    return false;
}

bool app::runMenuHandler(const QString& itemName) {
    for (const auto& [key, handler] : handlers_)
        if (fw::textEquals(key, itemName)) return handler();
    return false;
}

int app::MajorVersion() const { return version::MajorVersion(); }
int app::MinorVersion() const { return version::MinorVersion(); }
int app::BugVersion() const { return version::BugVersion(); }
QString app::ShortVersion() const { return version::ShortVersion(); }
QString app::LongVersion() const { return version::LongVersion(); }

void setUpApplication() {
    initResources();
    globalsModule::createArrays();
    QApplication::setWindowIcon(gameIcon());  // every window without an icon of its own shows it
    app* a = App();
    a->MenuBar = Menu::get();
    a->MenuBar->chosen = [](fw::MenuItem& item) { return App()->runMenuHandler(item.Name()); };
    a->MenuBar->enableMenuItems = [] {
        App()->EnableMenuItems();
        activeWindowEnableMenuItems();
    };
    fw::Window::setMenuBarFactory([](QWidget* window) { return Menu::get()->makeMenuBar(window); });
    a->RemoveMenuHandlers();
    a->AddMenuHandler(QStringLiteral("AppleAbout"), [] { return App()->_AppleAbout_Action(); });
    a->AddMenuHandler(QStringLiteral("FileNewGame"), [] { return App()->_FileNewGame_Action(); });
    a->AddMenuHandler(QStringLiteral("helpInstructions"), [] { return App()->_helpInstructions_Action(); });
    a->AddMenuHandler(QStringLiteral("fileQuit"), [] { return App()->_fileQuit_Action(); });
    a->AddMenuHandler(QStringLiteral("helpCheckforUpdates"),
                      [] { return App()->_helpCheckforUpdates_Action(); });
}

int runApplication(int argc, char** argv) {
    static int argcKept = argc;
    std::unique_ptr<QApplication> own;
    if (!QCoreApplication::instance()) {
        own = std::make_unique<ZorvikApplication>(argcKept, argv);
        QApplication::setApplicationName(QStringLiteral("Zorvik"));
        QApplication::setApplicationVersion(App()->ShortVersion());
    }
    setUpApplication();
    // Windows come and go while the game runs (the dialog closes before the game windows show):
    // the program ends by Quit or by closing the menu holder, never by Qt's count of windows.
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    menuHolderWindow::keepMenusReachable(true);
    QObject opening;
    QTimer::singleShot(0, &opening, [] {
        fw::HandlerScope scope;
        try {
            App()->Open();
        } catch (const std::exception& e) {
            unhandled(e.what());
        }
    });
    const int code = QApplication::exec();
    // A quit asked for by the desktop may still wait in the queue; it must not reach a later loop.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::Quit);
    menuHolderWindow::keepMenusReachable(false);
    for (fw::Window* w : fw::Window::allOpen()) w->Close();
    // Everything that holds Qt objects goes while the application object still exists: static
    // objects are destroyed after it, and a sound then posts events to an application that is gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    forgetKeptResources();
    fw::Window::setMenuBarFactory(nullptr);
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    return code;
}
