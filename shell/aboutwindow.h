#pragma once
#include "fw/window.h"

class QLabel;

// The about box: the about picture with the application's long version over it. A press
// anywhere closes it, and so do Escape, Return and Space. It comes up centred over the window
// it was opened from.
class aboutWindow : public fw::Window {
    Q_OBJECT
  public:
    static aboutWindow* get() { return fw::Window::get<aboutWindow>(); }

    QLabel* versionStatic = nullptr;

  protected:
    void createControls() override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void versionStatic_Open();
};
