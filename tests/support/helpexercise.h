#pragma once
#include <QString>

class helpWindow;

namespace helptest {

// Converts `manual` in the help window and walks it the way a person would: every row chosen,
// every folder opened and closed, every topic shown by name, the arrow keys in the text.
// Returns the first broken rule of the window's data (empty when all hold).
QString exercise(helpWindow* w, const QString& manual);

}  // namespace helptest
