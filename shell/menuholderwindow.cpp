#include "shell/menuholderwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QTimer>

namespace {
void keepOrDropHolder() {
    bool onScreen = false;
    bool withMenuBar = false;
    for (fw::Window* w : fw::Window::allOpen()) {
        if (qobject_cast<menuHolderWindow*>(w) || !w->isVisible()) continue;
        onScreen = true;
        withMenuBar = withMenuBar || w->layout()->menuBar();
    }
    if (withMenuBar) {
        if (auto* holder = fw::Window::ifOpen<menuHolderWindow>()) holder->Close();
    } else if (!onScreen) {
        menuHolderWindow::get()->Show();
    }
}

// Looks at the game's windows coming and going; decides once the event that moved them is over.
class Watcher : public QObject {
  public:
    bool eventFilter(QObject* object, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::Show || type == QEvent::Hide) && qobject_cast<fw::Window*>(object) &&
            !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, [this] {
                pending_ = false;
                keepOrDropHolder();
            });
        }
        return false;
    }

  private:
    bool pending_ = false;
};

QPointer<Watcher>& watcher() {
    static QPointer<Watcher> w;
    return w;
}
}  // namespace

void menuHolderWindow::keepMenusReachable(bool on) {
    if (on && !watcher()) {
        watcher() = new Watcher;
        QCoreApplication::instance()->installEventFilter(watcher());
    } else if (!on && watcher()) {
        delete watcher().data();
    }
}

void menuHolderWindow::createControls() {
    setWindowTitle(QStringLiteral("Zorvik!"));
    installMenuBar();
    setContentSize(360, 0);
    setFixedSize(size());
}

void menuHolderWindow::closeEvent(QCloseEvent* e) {
    fw::Window::closeEvent(e);
    QCoreApplication::exit(0);
}
