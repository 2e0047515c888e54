// Search: "Find" and "Find Next" through the shown topic and then the others.
#include "help/helpwindow.h"

void helpWindow::findEdit_TextChange() {}

void helpWindow::findButton_Action() {}
