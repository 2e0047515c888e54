#pragma once
#include <QStringList>
#include <climits>

class QTreeView;
class QWidget;

// Room for texts in the desktop's font, whatever its size.
namespace fw {

// Widens a caption or button whose text does not fit, keeping its left edge, but not beyond
// `rightLimit` (in its parent's pixels), where a neighbour starts.
void widenToFit(QWidget* control, int rightLimit = INT_MAX);

// The width that column `column` of a list needs to show its heading and each of `cellTexts`
// uncut, plus `extra` pixels in front of the text (a check box).
int columnNeed(const QTreeView* view, int column, const QStringList& cellTexts = {}, int extra = 0);

}  // namespace fw
