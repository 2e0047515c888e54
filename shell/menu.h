#pragma once
#include "fw/menu.h"

// The application's menu bar: File, Edit and Help, built once on first use.
class Menu : public fw::MenuBar {
  public:
    static Menu* get();
    Menu();
};
