#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where windows go on the desktop: onto the screen's available area, over the window a person
// acted in.
namespace fw {

// The top-left corner for a window frame wanted at `frame`, moved left and up as little as needed
// to lie within `available`; a frame larger than the area keeps its top or left edge on it.
QPoint fitOnScreen(const QRect& frame, const QRect& available);
// The top-left corner that centres a frame of `size` over `over`.
QPoint centredOver(const QSize& size, const QRect& over);
// The top-left corner for a frame of `frameSize`: centred over `over` when that is valid, else at
// `corner`; then fitted onto `available`.
QPoint frameSpot(const QSize& frameSize, const QPoint& corner, const QRect& over, const QRect& available);

// The available area (without panels and docks) of the screen that holds `point`, or of the
// primary screen when none does. Tests may give one: a null rectangle returns to the screens'.
QRect availableArea(const QPoint& point);
void setAvailableAreaForTests(const QRect& area);

// Moves a window's frame to `wanted`, fitted onto the available area; once the window manager has
// put its frame around it, the spot is fitted again (unless the window has been moved meanwhile).
void placeFrame(QWidget* window, const QPoint& wanted);
// The same, centred over `over`: centred again once the frame's size is known.
void centreFrame(QWidget* window, const QRect& over);

// The game window in which a person last pressed a mouse button or a key, while it is on screen
// and not blocked by a modal window; else the active modal window, else the active window.
// `besides` is never the answer.
QWidget* actingWindow(const QWidget* besides = nullptr);
// The window that a dialog opened over `over` belongs to, so that a window manager keeps the
// dialog above it. While a modal window is up, the innermost one, from whichever window the dialog
// was asked for (the manual too): the dialog blocks it and must not open beneath it. Else `over`,
// unless that stays usable while a dialog waits (the manual), which a dialog of its own would block.
QWidget* dialogOwner(QWidget* over);
// Starts watching a person's presses (once; the window layer calls it).
void watchPersonInput();

}  // namespace fw
