#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

namespace fw {

// The drawing surface of a window over its controls: what is drawn there stays, over whatever
// the controls paint, until that part is erased. It takes no input.
class Overlay : public QWidget {
    Q_OBJECT
  public:
    // The overlay of `area` (a window's content), made on first use; it covers the whole area.
    static Overlay* of(QWidget* area);

    QColor ForeColor = Qt::black;
    int PenWidth = 1;
    // The pen hangs right of and below the points it joins: DrawLine(x, 0, x, 100) with PenWidth
    // 2 covers columns x and x + 1, rows 0 to 101.
    void DrawLine(int x1, int y1, int x2, int y2);
    // Erases what was drawn in the rectangle, and nothing else.
    void RefreshRect(int x, int y, int width, int height);
    // Erases everything drawn, as the window's whole redraw does.
    void Refresh();

  protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    explicit Overlay(QWidget* area);
    void fit();
    QImage drawn_;
};

}  // namespace fw
