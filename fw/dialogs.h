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

// The picture beside a dialog's message; the desktop shows a question as a note.
enum class DialogIcon { Note, Caution, Stop, Question };
// The button that closed a dialog.
enum class DialogButton { Action, Cancel, Alternate };

// A dialog with a message, an explanation and up to three buttons; ShowModal returns the button
// pressed (closing the box otherwise counts as its cancel button, or its action button if none).
// Its texts can be selected with the mouse and copied.
class MessageDialog {
  public:
    QString Title;
    QString Message;
    QString Explanation;
    DialogIcon Icon = DialogIcon::Note;
    QString ActionButton = QStringLiteral("OK");
    QString CancelButton;     // empty: none
    QString AlternateButton;  // empty: none
    DialogButton ShowModal();
};

void MsgBox(const QString& text);

// With a responder set, no box is shown: the responder gets the record and returns the index of
// the button pressed in its captions (0 = the action button).
void setDialogResponder(std::function<int(const DialogRecord&)> responder);
QList<DialogRecord>& shownDialogs();  // oldest first (the last thousand or so)

}  // namespace fw
