#include "fw/editfield.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>

#include "fw/text.h"

namespace fw {
namespace {
// In the document a Chr(0) is a zero-width space, which the text layout draws as nothing and
// gives no width; a line end is the document's paragraph separator. One character each way.
constexpr char16_t kShownNull = 0x200B;

QString toDocument(const QString& text) {
    QString s = text;
    for (QChar& c : s) {
        if (c.unicode() == 0)
            c = QChar(kShownNull);
        else if (c.unicode() == 13)
            c = QChar(u'\n');
    }
    return s;
}

QString fromDocument(QString s) {
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u == kShownNull)
            c = QChar(u'\0');
        else if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator || u == 0xFDD0 || u == 0xFDD1)
            c = QChar(u'\r');
    }
    return s;
}

// Style data: "S1" and one run per stretch of equal styles: ";start,length,flags,colour", where
// flags adds 1 bold, 2 italic, 4 underline and colour is "rrggbb" or "-" for the field's own.
// Example: "S1;0,5,1,-;5,3,5,167533" is five bold characters, then three bold underlined green.
struct Run {
    int start = 0, length = 0, flags = 0;
    QString colour;
};

int flagsOf(const QTextCharFormat& f) {
    return (f.fontWeight() >= QFont::Bold ? 1 : 0) | (f.fontItalic() ? 2 : 0) | (f.fontUnderline() ? 4 : 0);
}

QString colourOf(const QTextCharFormat& f) {
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) return QStringLiteral("-");
    return QStringLiteral("%1").arg(f.foreground().color().rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

QTextCharFormat formatOf(int flags, const QString& colour) {
    QTextCharFormat f;
    f.setFontWeight(flags & 1 ? QFont::Bold : QFont::Normal);
    f.setFontItalic(flags & 2);
    f.setFontUnderline(flags & 4);
    bool ok = false;
    const uint rgb = colour.toUInt(&ok, 16);
    if (ok && colour.size() == 6) f.setForeground(QColor::fromRgb(QRgb(0xFF000000u | rgb)));
    return f;
}
}  // namespace

EditField::EditField(QWidget* parent) : TextEdit(parent) {
    setAcceptRichText(false);
    viewport()->setMouseTracking(true);
}

QString EditField::Text() const { return fromDocument(document()->toRawText()); }

void EditField::setText(const QString& text) { SetTextAndStyle(text, QString()); }

int EditField::SelStart() const { return textCursor().selectionStart(); }

void EditField::setSelStart(int position) {
    QTextCursor c = textCursor();
    c.setPosition(qBound(0, position, document()->characterCount() - 1));
    setTextCursor(c);
}

int EditField::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void EditField::setSelLength(int length) {
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(qBound(start, start + length, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString EditField::SelText() const { return fromDocument(textCursor().selectedText()); }

void EditField::setSelText(const QString& text) {
    QTextCursor c = textCursor();
    const bool selection = c.hasSelection();
    c.insertText(toDocument(text), c.charFormat());
    // With no selection the field's own cursor stands where the text went in and moves behind it
    // by itself; handing it over again would lay the text out up to it at every insertion.
    if (selection) setTextCursor(c);
}

QTextCharFormat EditField::insertFormat() const { return textCursor().charFormat(); }

void EditField::mergeSelFormat(const QTextCharFormat& change) {
    // With no selection this is the format of the text inserted next.
    QTextCursor c = textCursor();
    c.mergeCharFormat(change);
    setTextCursor(c);
}

void EditField::setSelBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeSelFormat(f);
}

void EditField::setSelItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeSelFormat(f);
}

void EditField::setSelUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeSelFormat(f);
}

QColor EditField::SelTextColor() const {
    const QTextCharFormat f = insertFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
}

void EditField::setSelTextColor(const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    mergeSelFormat(f);
}

QString EditField::TextStyleData() const {
    QList<Run> runs;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            Run run{frag.position(), frag.length(), flagsOf(frag.charFormat()), colourOf(frag.charFormat())};
            // A paragraph separator between two runs of equal styles joins them.
            if (!runs.isEmpty()) {
                Run& last = runs.last();
                const int gap = run.start - (last.start + last.length);
                if (gap <= 1 && last.flags == run.flags && last.colour == run.colour) {
                    last.length = run.start + run.length - last.start;
                    continue;
                }
            }
            runs.append(run);
        }
    }
    QString data = QStringLiteral("S1");
    for (const Run& r : runs)
        data += QStringLiteral(";%1,%2,%3,%4").arg(r.start).arg(r.length).arg(r.flags).arg(r.colour);
    return data;
}

void EditField::SetTextAndStyle(const QString& text, const QString& styleData) {
    const QString shown = toDocument(text);
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);  // a shown text starts a fresh undo history
    doc->clear();
    QTextCursor c(doc);
    c.beginEditBlock();
    int at = 0;
    const QStringList runs = styleData.startsWith(QLatin1String("S1"))
                                 ? styleData.mid(2).split(u';', Qt::SkipEmptyParts)
                                 : QStringList();
    for (const QString& field : runs) {
        const QStringList parts = field.split(u',');
        if (parts.size() != 4) continue;
        const int start = parts[0].toInt(), length = parts[1].toInt();
        if (start < at || length <= 0 || start >= shown.size()) continue;
        if (start > at) c.insertText(shown.mid(at, start - at), QTextCharFormat());
        const int n = qMin(length, int(shown.size()) - start);
        c.insertText(shown.mid(start, n), formatOf(parts[2].toInt(), parts[3]));
        at = start + n;
    }
    if (at < shown.size()) c.insertText(shown.mid(at), QTextCharFormat());
    c.endEditBlock();
    doc->setUndoRedoEnabled(true);
    c.setPosition(0);
    c.setCharFormat(QTextCharFormat());
    setTextCursor(c);
}

QMimeData* EditField::createMimeDataFromSelection() const {
    // A Chr(0) shows as nothing, and copied it stays nothing: no zero-width space in the copy.
    QMimeData* made = QTextEdit::createMimeDataFromSelection();
    auto* data = new QMimeData;
    data->setText(made->text().remove(QChar(kShownNull)));
    if (made->hasHtml()) data->setHtml(made->html().remove(QChar(kShownNull)));
    delete made;
    return data;
}

int EditField::CharPosAtXY(int x, int y) const { return cursorForPosition(QPoint(x, y)).position(); }

QString EditField::keyText(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
            return Chr(28);
        case Qt::Key_Right:
            return Chr(29);
        case Qt::Key_Up:
            return Chr(30);
        case Qt::Key_Down:
            return Chr(31);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Chr(13);
        default:
            return e->text();
    }
}

void EditField::keyPressEvent(QKeyEvent* e) {
    if (keyDown && keyDown(keyText(e))) {
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void EditField::mousePressEvent(QMouseEvent* e) {
    // Claimed or not, the press goes on to the text: a click places the insertion point, a drag selects.
    pressClaimed_ = mouseDown && mouseDown(e->position().toPoint().x(), e->position().toPoint().y());
    QTextEdit::mousePressEvent(e);
}

void EditField::mouseMoveEvent(QMouseEvent* e) {
    if (mouseMove) mouseMove(e->position().toPoint().x(), e->position().toPoint().y());
    QTextEdit::mouseMoveEvent(e);
}

void EditField::mouseReleaseEvent(QMouseEvent* e) {
    if (std::exchange(pressClaimed_, false) && mouseUp)
        mouseUp(e->position().toPoint().x(), e->position().toPoint().y());
    QTextEdit::mouseReleaseEvent(e);
}

void EditField::leaveEvent(QEvent* e) {
    if (mouseExit) mouseExit();
    QTextEdit::leaveEvent(e);
}

}  // namespace fw
