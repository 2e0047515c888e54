#pragma once
#include "fw/httpsocket.h"

// The update window's socket. Aborted and gone with its window.
class hp : public fw::HTTPSocket {
    Q_OBJECT
  public:
    explicit hp(QWidget* owner);
};
