#pragma once
#include "fw/window.h"

// Holds the application's menu bar while no game window is open (menus live in windows here).
// Closing it, the last window, quits.
class menuHolderWindow : public fw::Window {
    Q_OBJECT
  public:
    static menuHolderWindow* get() { return fw::Window::get<menuHolderWindow>(); }

    // While on, the holder comes up whenever no window of the game is on screen, and goes when a
    // window with a menu bar comes up.
    static void keepMenusReachable(bool on);

  protected:
    void createControls() override;
    void closeEvent(QCloseEvent* e) override;
};
