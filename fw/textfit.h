#pragma once
#include <QString>
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

// The invisible break chance that fitLines puts into long runs; a copy of a box's text leaves it out.
inline constexpr QChar kBreakChance(u'\u200B');

// A label lays out every line of its text, so a text from outside (a web reply) of any size is cut
// for a box: at most `lines` lines of `width` characters, a longer line counting for as many as it
// fills ("\r\n" is one line end), and a text that loses more than line ends ends with "…", which
// takes its room in the last line. A run without blanks longer than half a line gets invisible
// break chances, so that the label can wrap it (never right before the "…", which would then wrap
// onto a line of its own); a character beyond 16 bits is never split. `used`
// receives the lines taken. `lines` and `width` count as 1 when less.
//   fitLines("a\nb\nc", 2, 40)   -> "a\nb…"
//   fitLines("a\r\nb\n", 2, 40) -> "a\nb"
//   fitLines(60 x "w", 9, 40)     -> 20 "w", a zero-width space, 20 "w", ... (2 lines used)
QString fitLines(const QString& text, int lines, int width, int* used = nullptr);

}  // namespace fw
