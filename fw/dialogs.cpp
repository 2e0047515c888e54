#include "fw/dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "fw/events.h"
#include "fw/menu.h"
#include "fw/placement.h"
#include "fw/textfit.h"
#include "fw/window.h"

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

    // Over the window the person acted in, not the screen's middle, and its child, so that a window
    // manager keeps the box above it (a window that stays usable meanwhile excepted: placement.h).
    QWidget* over = actingWindow();
    QMessageBox box(dialogOwner(over));
    addKeysOfEveryWindow(&box);
    box.setWindowTitle(Title.isEmpty() ? QApplication::applicationDisplayName() : Title);
    // Texts may come from outside (a web reply): shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // Both texts fit the screen's available area, with room for the icon, the buttons and the frame.
    const QRect area = availableArea(over ? over->frameGeometry().center() : QCursor::pos());
    const QFontMetrics metrics(box.font());
    const int width =
        std::max(10, std::min(area.width() / 2, 500) / std::max(1, metrics.horizontalAdvance(u'W')));
    const int lines = std::max(4, (area.height() - 200) / metrics.lineSpacing());
    int used = 0;
    box.setText(fitLines(Message, std::max(2, lines / 3), width, &used));
    box.setInformativeText(fitLines(Explanation, std::max(2, lines - used), width, nullptr));
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    // The texts can be selected and copied (an address, say) as they were given: without the
    // invisible break chances put into long runs, which would end up in an address pasted elsewhere.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QList<QLabel*> labels = box.findChildren<QLabel*>();
    QObject::connect(
        QGuiApplication::clipboard(), &QClipboard::changed, &box, [labels](QClipboard::Mode mode) {
            // Only a copy from this box is looked at: another program's selection may be large or slow to
            // come. A desktop that tells who owns the clipboard says so; elsewhere a selection of ours
            // holding a break chance must stand in the box before the clipboard is read.
            QClipboard* clipboard = QGuiApplication::clipboard();
            const bool ours =
                mode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
            if (!ours && clipboard->supportsSelection()) return;
            std::optional<QString> text;
            for (QLabel* label : labels) {
                const QString selected = label->selectedText().replace(QChar::ParagraphSeparator, u'\n');
                if (!selected.contains(kBreakChance)) continue;
                if (!text) text = clipboard->text(mode);
                if (*text == selected) return clipboard->setText(text->remove(kBreakChance), mode);
            }
        });
    box.setIcon(Icon == DialogIcon::Caution
                    ? QMessageBox::Warning
                    : (Icon == DialogIcon::Stop ? QMessageBox::Critical : QMessageBox::Information));
    QList<QPushButton*> buttons;
    buttons << box.addButton(ActionButton, QMessageBox::AcceptRole);
    if (!CancelButton.isEmpty()) buttons << box.addButton(CancelButton, QMessageBox::RejectRole);
    if (!AlternateButton.isEmpty()) buttons << box.addButton(AlternateButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(buttons.first());
    // Qt centres the box before it takes its final size: centred again, onto the available area.
    QTimer::singleShot(0, &box, [&box, over = QPointer<QWidget>(over), area] {
        centreFrame(&box, over ? over->frameGeometry() : area);
    });
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
