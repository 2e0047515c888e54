#pragma once
#include <functional>

// Handler bookkeeping. Every handler of the game (a button's action, a click, a key, a menu
// command) runs inside a HandlerScope. Windows closed meanwhile are destroyed, and work
// deferred with runWhenIdle starts, only once the outermost handler has returned.
namespace fw {

class HandlerScope {
  public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

int handlerDepth();

// Whether a person's input may be acted upon now: no handler runs, or none but those below the
// innermost modal window. Input met in a loop yield of a running handler is dropped, so no
// handler is entered a second time from inside itself.
bool personInputIdle();

// Held while a modal window runs its loop: its own controls take a person's input again.
class ModalScope {
  public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// Runs `work` from the event loop after every running handler has returned, in the order given.
void runWhenIdle(std::function<void()> work);

// Called when the depth falls back to 0 (the window layer destroys closed windows here).
void onIdle(std::function<void()> callback);

}  // namespace fw
