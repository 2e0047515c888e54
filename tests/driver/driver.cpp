// Loaded into the real program by Qt as an input driver (QT_QPA_GENERIC_PLUGINS=zorvikdriver): it
// plays as a person would, through the windows' controls, and quits. The program itself has no hook.
// Steps: "Start Game" in the first dialog, one roll, then the Quit menu command. With the parameter
// "check" (zorvikdriver:check) it checks for a new version instead of rolling and answers the box that
// follows. It reports the network libraries and Qt Multimedia mapped before and after the roll or check.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "tests/support/mappedlibraries.h"

namespace {
QWidget* visibleWindow(const char* className) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qstrcmp(w->metaObject()->className(), className) == 0) return w;
    return nullptr;
}

QPushButton* enabledButton(const char* window, const char* name) {
    QWidget* w = visibleWindow(window);
    auto* b = w ? w->findChild<QPushButton*>(QLatin1String(name)) : nullptr;
    return b && b->isEnabled() && b->isVisible() ? b : nullptr;
}

class Driver : public QObject {
  public:
    explicit Driver(bool check) : check_(check) {
        clock_.start();
        connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        timer_.start(10);
    }

  private:
    void say(const char* what) {
        std::printf("driver: %s\n", what);
        std::fflush(stdout);
    }
    void step() {
        if (busy_) return;  // a click runs the game's handler, whose loop yields reach this timer
        busy_ = true;
        if (clock_.elapsed() > 60000) {
            say("gave up");
            QCoreApplication::exit(3);
        } else if (next_ == 0) {
            if (QPushButton* b = enabledButton("gameSettingsWindow", "okayButton")) {
                QTest::mouseClick(b, Qt::LeftButton);
                say("started a game");
                ++next_;
            }
        } else if (next_ == 1 && check_) {
            if (QAction* command = menuCommand(QStringLiteral("Check Website for New Version..."))) {
                sayMapped("before check");
                ++next_;
                // Queued: the update window and its box run loops of their own, which this timer serves.
                QTimer::singleShot(0, command, &QAction::trigger);
            }
        } else if (next_ == 2 && check_) {
            if (auto* box = qobject_cast<QMessageBox*>(visibleWindow("QMessageBox"))) {
                sayMapped("after check");
                std::printf("driver: box: %s\n", qPrintable(box->text()));
                ++next_;
                QTimer::singleShot(0, box, [box] { box->buttons().constFirst()->click(); });
            }
        } else if (next_ == 1) {
            if (QPushButton* b = enabledButton("gameWindow", "rollButton")) {
                sayMapped("before roll");
                QTest::mouseClick(b, Qt::LeftButton);  // returns when the dice have come to rest
                say("rolled");
                sayMapped("after roll");
                ++next_;
            }
        } else if (next_ == (check_ ? 3 : 2)) {
            if (QAction* quit = menuCommand(QStringLiteral("Ctrl+Q"))) {
                say("quits");
                ++next_;
                quit->trigger();
            }
        }
        busy_ = false;
    }
    void sayMapped(const char* when) {
        const QStringList libraries = mappedLibraries();
        const QStringList network = networkLibraries(libraries);
        std::printf("driver: network libraries %s: %s\n", when,
                    network.isEmpty() ? "none" : qPrintable(network.join(QLatin1Char(' '))));
        std::printf("driver: Qt Multimedia %s: %s\n", when,
                    libraries.filter(QStringLiteral("libQt6Multimedia.")).isEmpty() ? "no" : "yes");
        std::fflush(stdout);
    }
    // An enabled command of the game window's menus, by its text or by its keys ("Ctrl+Q").
    static QAction* menuCommand(const QString& name) {
        QWidget* w = visibleWindow("gameWindow");
        if (!w || QApplication::activeModalWidget()) return nullptr;
        for (QMenu* menu : w->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if ((a->text() == name || a->shortcut().toString() == name) && a->isEnabled()) return a;
        return nullptr;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    int next_ = 0;
    bool busy_ = false;
    const bool check_;
};
}  // namespace

class DriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver.json")
  public:
    QObject* create(const QString& key, const QString& parameters) override {
        return key == QLatin1String("zorvikdriver") ? new Driver(parameters == QLatin1String("check"))
                                                    : nullptr;
    }
};

#include "driver.moc"
