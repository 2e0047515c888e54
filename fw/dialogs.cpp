#include "fw/dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "fw/events.h"
#include "fw/placement.h"

namespace fw {
namespace {
std::function<int(const DialogRecord&)>& responder() {
    static std::function<int(const DialogRecord&)> r;
    return r;
}

// The button at `index` of the captions shown: the action button, then cancel and alternate if shown.
DialogButton buttonAt(const MessageDialog& d, int index) {
    if (index <= 0) return DialogButton::Action;
    if (index == 1 && !d.CancelButton.isEmpty()) return DialogButton::Cancel;
    return DialogButton::Alternate;
}
}  // namespace

DialogButton MessageDialog::ShowModal() {
    HandlerScope scope;
    ModalScope modal;
    QStringList captions{ActionButton};
    for (const QString& c : {CancelButton, AlternateButton})
        if (!c.isEmpty()) captions << c;
    const DialogRecord record{Message, Explanation, Title, captions};
    // The log keeps the most recent dialogs only, so that a long session does not grow it without end.
    constexpr qsizetype kLogLimit = 1024;
    QList<DialogRecord>& log = shownDialogs();
    if (log.size() >= kLogLimit) log.remove(0, log.size() - kLogLimit / 2);
    log.append(record);
    if (responder()) return buttonAt(*this, responder()(record));

    QMessageBox box(actingWindow());  // over the window the person acted in, not the screen's middle
    box.setWindowTitle(Title.isEmpty() ? QApplication::applicationDisplayName() : Title);
    // Texts may come from outside (a web reply): shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(Message);
    box.setInformativeText(Explanation);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    box.setIcon(Icon == DialogIcon::Caution
                    ? QMessageBox::Warning
                    : (Icon == DialogIcon::Stop ? QMessageBox::Critical : QMessageBox::Information));
    QList<QPushButton*> buttons;
    buttons << box.addButton(ActionButton, QMessageBox::AcceptRole);
    if (!CancelButton.isEmpty()) buttons << box.addButton(CancelButton, QMessageBox::RejectRole);
    if (!AlternateButton.isEmpty()) buttons << box.addButton(AlternateButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(buttons.first());
    box.exec();
    const int index = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return buttonAt(*this, index < 0 ? (CancelButton.isEmpty() ? 0 : 1) : index);
}

void MsgBox(const QString& text) {
    MessageDialog d;
    d.Message = text;
    d.ShowModal();
}

void setDialogResponder(std::function<int(const DialogRecord&)> r) { responder() = std::move(r); }

QList<DialogRecord>& shownDialogs() {
    static QList<DialogRecord> list;
    return list;
}

}  // namespace fw
