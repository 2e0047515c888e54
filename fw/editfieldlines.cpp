// The shown lines of a text field: which line holds a character, and scrolling by lines.
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "fw/editfield.h"

namespace fw {
namespace {
// The top of each shown line in document coordinates, in order, at least one line; the first
// counts as 0, so that scrolling to it shows the document's margin above it.
QList<qreal> lineTops(const QTextDocument* doc) {
    QList<qreal> tops;
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const qreal blockTop = layout->blockBoundingRect(b).top();
        const QTextLayout* lines = b.layout();
        if (!lines || lines->lineCount() == 0) {
            tops.append(blockTop);
            continue;
        }
        for (int i = 0; i < lines->lineCount(); ++i) tops.append(blockTop + lines->lineAt(i).y());
    }
    if (tops.isEmpty()) tops.append(0);
    tops[0] = 0;
    return tops;
}
}  // namespace

int EditField::LineNumAtCharPos(int position) const {
    const QTextDocument* doc = document();
    doc->documentLayout()->documentSize();  // lays the text out if it is not yet
    const QTextBlock target = doc->findBlock(qBound(0, position, doc->characterCount() - 1));
    int line = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b != target; b = b.next())
        line += qMax(b.layout() ? b.layout()->lineCount() : 0, 1);
    if (!target.isValid() || !target.layout() || target.layout()->lineCount() == 0) return line;
    const QTextLine shown = target.layout()->lineForTextPosition(position - target.position());
    return line + (shown.isValid() ? shown.lineNumber() : 0);
}

int EditField::ScrollPosition() const {
    const QList<qreal> tops = lineTops(document());
    const int y = verticalScrollBar()->value();
    int line = 0;
    while (line + 1 < tops.size() && tops[line + 1] <= y) ++line;
    return line;
}

void EditField::setScrollPosition(int line) {
    document()->documentLayout()->documentSize();
    const QList<qreal> tops = lineTops(document());
    verticalScrollBar()->setValue(qRound(tops[qBound(0, line, int(tops.size()) - 1)]));
}

}  // namespace fw
