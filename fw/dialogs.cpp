#include "fw/dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "fw/events.h"
#include "fw/menu.h"
#include "fw/placement.h"
#include "fw/window.h"

namespace fw {
namespace {
std::function<int(const DialogRecord&)>& responder() {
    static std::function<int(const DialogRecord&)> r;
    return r;
}
}  // namespace

int MessageDialog::ShowModal() {
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
    if (responder()) return responder()(record);

    // Over the window the person acted in, not the screen's middle. A window that stays usable
    // while a message box waits (the help viewer) is not its parent: its own box would block it.
    QWidget* over = actingWindow();
    auto* overWindow = qobject_cast<Window*>(over);
    const bool besides = overWindow && !overWindow->dropsInputWhileBusy();
    QMessageBox box(besides ? nullptr : over);
    if (besides) centreFrame(&box, over->frameGeometry());
    addKeysOfEveryWindow(&box);
    box.setWindowTitle(Title.isEmpty() ? QApplication::applicationDisplayName() : Title);
    // Texts may come from outside (a web reply): shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(Message);
    box.setInformativeText(Explanation);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    box.setIcon(Icon == 1 ? QMessageBox::Warning
                          : (Icon == 2 ? QMessageBox::Critical : QMessageBox::Information));
    QList<QPushButton*> buttons;
    buttons << box.addButton(ActionButton, QMessageBox::AcceptRole);
    if (!CancelButton.isEmpty()) buttons << box.addButton(CancelButton, QMessageBox::RejectRole);
    if (!AlternateButton.isEmpty()) buttons << box.addButton(AlternateButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(buttons.first());
    box.exec();
    const int index = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return index < 0 ? (CancelButton.isEmpty() ? 0 : 1) : index;
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
