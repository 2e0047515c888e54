#include "fw/dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

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

// The button at `index` of the captions shown: the action button, then cancel and alternate if shown.
DialogButton buttonAt(const MessageDialog& d, int index) {
    if (index <= 0) return DialogButton::Action;
    if (index == 1 && !d.CancelButton.isEmpty()) return DialogButton::Cancel;
    return DialogButton::Alternate;
}

// A label lays out every line of its text, so a text from outside (a web reply) of any size is cut
// for the box: at most `lines` lines of `width` characters, a longer line counting for as many as it
// fills, and a cut text ends with "…". A run without blanks longer than half a line gets invisible
// break chances, so that the label can wrap it.
//   fitted("a\nb\nc", 2, 40)        -> "a\nb…"
//   fitted(60 x "w", 9, 40)          -> 20 "w", a zero-width space, 20 "w", ... (2 lines used)
QString fitted(const QString& text, int lines, int width, int* used) {
    QString out;
    int line = 1, column = 0, run = 0;
    for (const QChar c : text) {
        const bool lineEnd =
            c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (lineEnd || column == width) {
            if (++line > lines) {
                while (out.endsWith(u'\n') || out.endsWith(u'\r')) out.chop(1);
                out += QChar(0x2026);
                --line;
                break;
            }
            column = 0;
        }
        if (lineEnd || c.isSpace()) {
            run = 0;
        } else if (++run > width / 2 && !c.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += c;
        if (!lineEnd) ++column;
    }
    if (used) *used = line;
    return out;
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
    // Both texts fit the screen's available area, with room for the icon, the buttons and the frame.
    const QRect area = availableArea(over ? over->frameGeometry().center() : QCursor::pos());
    const QFontMetrics metrics(box.font());
    const int width =
        std::max(10, std::min(area.width() / 2, 500) / std::max(1, metrics.horizontalAdvance(u'W')));
    const int lines = std::max(4, (area.height() - 200) / metrics.lineSpacing());
    int used = 0;
    box.setText(fitted(Message, std::max(2, lines / 3), width, &used));
    box.setInformativeText(fitted(Explanation, std::max(2, lines - used), width, nullptr));
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
    // Qt centres the box before it takes its final size: centred again, onto the available area.
    QTimer::singleShot(0, &box,
                       [&box, over, area] { centreFrame(&box, over ? over->frameGeometry() : area); });
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
