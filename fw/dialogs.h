#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Message boxes. Each one shown is recorded; a test can answer them instead of a person.
namespace fw {

struct DialogRecord {
    QString message;
    QString explanation;
    QString title;
    QStringList buttons;  // captions: the action button, then the cancel and alternate buttons shown
};

// A dialog with a message, an explanation and up to three buttons; ShowModal returns the
// index of the button pressed (0 = the action button).
class MessageDialog {
  public:
    QString Title;
    QString Message;
    QString Explanation;
    int Icon = 0;
    QString ActionButton = QStringLiteral("OK");
    QString CancelButton;     // empty: none
    QString AlternateButton;  // empty: none
    int ShowModal();
};

void MsgBox(const QString& text);

// With a responder set, no box is shown: the responder gets the record and returns the button.
void setDialogResponder(std::function<int(const DialogRecord&)> responder);
QList<DialogRecord>& shownDialogs();  // oldest first (the last thousand or so)

}  // namespace fw
