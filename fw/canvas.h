#pragma once
#include <QWidget>
#include <functional>

class QPainter;

namespace fw {

// A control that its window paints and that reports the mouse (x, y in the control's own
// coordinates). mouseDown returning true claims the click: drags and the release follow.
class Canvas : public QWidget {
    Q_OBJECT
  public:
    explicit Canvas(QWidget* parent = nullptr);

    std::function<void(QPainter& g)> paint;
    std::function<bool(int x, int y)> mouseDown;
    std::function<void(int x, int y)> mouseDrag;
    std::function<void(int x, int y)> mouseUp;
    std::function<void()> mouseEnter;
    std::function<void()> mouseExit;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

  private:
    bool claimed_ = false;
};

}  // namespace fw
