#pragma once
#include <QColor>
#include <QPoint>
#include <optional>

// The mouse and the screen as the game sees them. The colour of a screen point is read from our
// own windows as they paint themselves (controls and overlays included); other programs' pixels
// are never read, so a point on none of our windows has no colour at all.
namespace fw::System {

int MouseX();  // screen coordinates
int MouseY();
// The colour at screen point (x, y); invalid where none of our windows is shown.
QColor Pixel(int x, int y);

// Tests place the mouse here (no real pointer moves); nullopt gives the pointer back.
void setMousePosition(std::optional<QPoint> at);

}  // namespace fw::System

namespace fw {
// The desktop's colours for the light and dark edges of raised controls.
QColor LightBevelColor();
QColor DarkBevelColor();
}  // namespace fw
