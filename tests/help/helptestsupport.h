#pragma once
#include <QString>
#include <QStringList>

class helpWindow;

// Help viewer tests: manuals written with CR line ends, and views of what the window holds.
namespace helptest {

// A manual from lines joined by CR, inside "<html><body>" .. "</body></html>".
QString manual(const QStringList& bodyLines);
// The help window, converted from `text` (a fresh window each time), not shown.
helpWindow* load(const QString& text);
// Topic names in order, subtopics with a leading "  ".
QStringList topics(helpWindow* w);
// The visible rows of the topic list, folders marked "+" (closed) or "-" (open).
QStringList rows(helpWindow* w);
// Control characters made readable: Chr(0) "{0}", CR "{r}".
QString visible(const QString& s);

}  // namespace helptest

namespace helptest {
// The styles of the character at 0-based `offset` of topic `topic` as stored: "b", "i", "u" for
// bold, italic, underline, then "#rrggbb" when coloured other than black; "" for plain black.
QString styleAt(helpWindow* w, int topic, int offset);
}  // namespace helptest
