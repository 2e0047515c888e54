#include <QScrollBar>
#include <QTextCursor>

#include "engine/globals.h"
#include "fw/text.h"
#include "shell/playerlistwindow.h"

namespace globalsModule {

QString repeatChar(const QString& s, int n) {
    QString r;
    for (int i = 1; i <= n; ++i) r += s;
    return r;
}

void displayMessage(const QString& text, bool bold) {
    const QString message = text == QLatin1String("-") ? repeatChar(QStringLiteral("-"), 25) : text;
    const QString line = repeatChar(QStringLiteral(" "), 4 * gIndentLevel) + message;

    // Lines always go at the end; the user's own selection in the history is left alone. One that
    // reaches the end would grow with the line (a cursor at the point of an insertion moves on).
    fw::TextEdit* status = playerListWindow::get()->status;
    // The view comes along only when it was at the end: not away from lines a person scrolled
    // back to, nor under a mouse that is selecting.
    const bool follow = status->followsEnd();
    QScrollBar* bar = status->verticalScrollBar();
    const int shown = bar->value();
    const int anchor = status->textCursor().anchor(), position = status->textCursor().position();
    QTextCursor cursor(status->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(line, format);
    format.setFontWeight(QFont::Normal);
    cursor.insertText(fw::EndOfLine, format);
    if (anchor != position) {
        QTextCursor kept = status->textCursor();
        if (kept.anchor() != anchor || kept.position() != position) {
            kept.setPosition(anchor);
            kept.setPosition(position, QTextCursor::KeepAnchor);
            status->setTextCursor(kept);  // which scrolls to the selection's end
        }
    }
    bar->setValue(follow ? bar->maximum() : shown);
}

void incIndent() { gIndentLevel = std::min(gIndentLevel + 1, 5); }

void decIndent() { gIndentLevel = std::max(gIndentLevel - 1, 0); }

}  // namespace globalsModule
