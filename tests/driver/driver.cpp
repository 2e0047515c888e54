// Loaded into the real program by Qt as an input driver (QT_QPA_GENERIC_PLUGINS=zorvikdriver): it
// plays as a person would, through the windows' controls, and quits. The program itself has no hook.
// Steps: "Start Game" in the first dialog, one roll, then the Quit menu command.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

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
    Driver() {
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
        } else if (next_ == 1) {
            if (QPushButton* b = enabledButton("gameWindow", "rollButton")) {
                QTest::mouseClick(b, Qt::LeftButton);  // returns when the dice have come to rest
                say("rolled");
                ++next_;
            }
        } else if (next_ == 2) {
            if (QAction* quit = quitCommand()) {
                say("quits");
                ++next_;
                quit->trigger();
            }
        }
        busy_ = false;
    }
    static QAction* quitCommand() {
        QWidget* w = visibleWindow("gameWindow");
        if (!w) return nullptr;
        for (QMenu* menu : w->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q) && a->isEnabled()) return a;
        return nullptr;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    int next_ = 0;
    bool busy_ = false;
};
}  // namespace

class DriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver.json")
  public:
    QObject* create(const QString& key, const QString& parameters) override {
        Q_UNUSED(parameters);
        return key == QLatin1String("zorvikdriver") ? new Driver : nullptr;
    }
};

#include "driver.moc"
