#pragma once
#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "fw/events.h"

// Steps that a test takes one after another from the event loop while the whole program runs
// (runApplication). Like a person's input, a step waits while a handler of the game runs (the
// game yields to the event loop inside its handlers). A step that returns false is tried again at
// the next pass; one that never comes true is recorded as a failure and the program is made to
// quit, so a test cannot hang. Modal windows are answered by the modal hook, not by steps.
class Script : public QObject {
  public:
    void add(const QString& name, std::function<bool()> step) { steps_.emplace_back(name, std::move(step)); }
    void start() { post(); }

    // Records a failed check of the current step (QVERIFY cannot leave the event loop).
    bool check(bool ok, const QString& what) {
        if (!ok) failures << current() + QStringLiteral(": ") + what;
        return ok;
    }
    QString current() const { return next_ < steps_.size() ? steps_[next_].first : QStringLiteral("end"); }

    QStringList failures;
    bool finished() const { return next_ == steps_.size(); }

  private:
    void post() {
        QTimer::singleShot(0, this, [this] { run(); });
    }
    void run() {
        if (finished()) return;
        if (fw::handlerDepth() == 0 && steps_[next_].second()) {
            ++next_;
            tries_ = 0;
        } else if (++tries_ > 200000) {
            failures << steps_[next_].first + QStringLiteral(": never came true");
            next_ = steps_.size();
            QCoreApplication::exit(3);
            return;
        }
        post();
    }

    std::vector<std::pair<QString, std::function<bool()>>> steps_;
    size_t next_ = 0;
    int tries_ = 0;
};
