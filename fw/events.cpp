#include "fw/events.h"

#include <QCoreApplication>
#include <QTimer>
#include <deque>
#include <vector>

namespace fw {
namespace {
int depth = 0;
std::deque<std::function<void()>> deferred;
bool posted = false;

std::vector<std::function<void()>>& idleCallbacks() {
    static std::vector<std::function<void()>> v;
    return v;
}

void runDeferred();

void post() {
    if (posted || deferred.empty() || !QCoreApplication::instance()) return;
    posted = true;
    QTimer::singleShot(0, QCoreApplication::instance(), runDeferred);
}

void runDeferred() {
    posted = false;
    // A yield inside some handler may reach this; the work waits for that handler to return.
    if (depth > 0 || deferred.empty()) return;
    auto work = std::move(deferred.front());
    deferred.pop_front();
    post();
    HandlerScope scope;
    work();
}
}  // namespace

HandlerScope::HandlerScope() { ++depth; }

HandlerScope::~HandlerScope() {
    if (--depth == 0) {
        for (auto& cb : idleCallbacks()) cb();
        post();
    }
}

int handlerDepth() { return depth; }

namespace {
std::vector<int>& modalBases() {
    static std::vector<int> bases{0};
    return bases;
}
}  // namespace

bool personInputIdle() { return depth <= modalBases().back(); }

ModalScope::ModalScope() { modalBases().push_back(depth); }

ModalScope::~ModalScope() { modalBases().pop_back(); }

void runWhenIdle(std::function<void()> work) {
    deferred.push_back(std::move(work));
    if (depth == 0) post();
}

void onIdle(std::function<void()> callback) { idleCallbacks().push_back(std::move(callback)); }

}  // namespace fw
