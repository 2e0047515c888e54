// Search: "Find" and "Find Next" through the shown topic and then the others.
#include <QLineEdit>

#include "fw/clock.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/sound.h"
#include "fw/text.h"
#include "help/helpwindow.h"

using namespace fw;

namespace {
// Selects the occurrence at 1-based position p and scrolls its line to the top of the field.
void showOccurrence(EditField* field, int p, const QString& find) {
    field->setSelStart(p - 1);
    field->setSelLength(Len(find));
    field->setScrollPosition(field->LineNumAtCharPos(p - 1));
}
}  // namespace

void helpWindow::findEdit_TextChange() {
    findButton->setCaption(QStringLiteral("Find"));
    findButton->setEnabled(!findEdit->text().isEmpty());
}

void helpWindow::findButton_Action() {
    findButton->setCaption(QStringLiteral("Find Next"));
    helpField->SetFocus();
    const QString find = findEdit->text();
    const int s = helpField->SelStart() + helpField->SelLength() + 1;
    int p = InStr(s, helpField->Text(), find);
    if (p > 0) {
        showOccurrence(helpField, p, find);
        return;
    }
    int start = topicsList->ListIndex() > -1 ? helpReturnIndex(topicsList->Text()) : 1;
    // A row whose topic cannot be found by name (an unnamed one) would never be met again.
    if (start < 1) start = 1;
    int current = start;
    for (;;) {
        current = current + 1 <= helpTopic.ubound() ? current + 1 : 1;
        if (current == start) {
            Beep();
            return;
        }
        p = InStr(helpText[current], find);
        if (p > 0) {
            helpShowTopic(helpTopic[current]);
            showOccurrence(helpField, p, find);
            return;
        }
        yieldToEventLoop();
    }
}
