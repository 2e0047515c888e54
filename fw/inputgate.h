#pragma once

// The one rule for a person's input on the game's windows: input that arrives while one of the
// game's handlers runs (in its loop yields, fw::personInputIdle() false) is not acted upon but
// dropped, whatever the control: buttons, lists and their in-place editors, popups, check boxes,
// text fields, keys and the wheel. Menus keep their own rule (fw::MenuBar), and windows that opt
// out (fw::Window::dropsInputWhileBusy) take input at all times, also while a modal window or a
// message box waits, which blocks every other window. A control's own popup menu (a field's
// context menu) is that control's input. Looking is not acting: scrolling, and selecting and
// copying in a read-only text field, also with its menu, go on. A press or wheel is judged as it
// reaches the window, on the widget under the pointer, so a dropped click moves no focus.
class QWidget;

namespace fw {

// Installed on the application object when the first window is made.
void installInputGate();

// Whether a person's input to `w` is dropped now: a handler runs and w is on a game window.
bool dropsPersonInputTo(QWidget* w);

// Whether `w` is a read-only text field or its view: a copy from it only looks.
bool isReadOnlyText(QWidget* w);

}  // namespace fw
