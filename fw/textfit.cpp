#include "fw/textfit.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace fw {

void widenToFit(QWidget* control, int rightLimit) {
    const int wanted = std::min(control->sizeHint().width(), rightLimit - control->x());
    if (wanted > control->width()) control->resize(wanted, control->height());
}

int columnNeed(const QTreeView* view, int column, const QStringList& cellTexts, int extra) {
    // A heading stands inside the header's margin on either side, a cell's text inside the focus
    // frame's margin and one more pixel; one pixel more keeps a rounded-up advance whole.
    const QHeaderView* header = view->header();
    const QString heading = view->model()->headerData(column, Qt::Horizontal).toString();
    int need = QFontMetrics(header->font()).horizontalAdvance(heading) +
               2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 1;
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 1;
    const QFontMetrics metrics(view->font());
    for (const QString& text : cellTexts)
        need = std::max(need, extra + metrics.horizontalAdvance(text) + margins);
    return need;
}

namespace {
bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}
}  // namespace

QString fitLines(const QString& text, int lines, int width, int* used) {
    width = std::max(width, 1);
    QString out;
    int line = 1, column = 0, run = 0;
    int textLine = 1, textColumn = 0;  // where the last character other than a line end ends
    qsizetype lastBreak = -1;          // where the last break chance of ours stands in `out`
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        const bool lineEnd = isLineEnd(c);
        const bool secondHalf = c.isLowSurrogate();  // stays with the half before it
        if (!secondHalf && (lineEnd || column == width)) {
            if (++line > lines) {
                if (std::all_of(text.begin() + i, text.end(), isLineEnd)) {
                    --line;
                    break;
                }
                while (!out.isEmpty() && isLineEnd(out.back())) out.chop(1);
                // The "…" takes the place of the last character when that fills its line.
                if (textColumn == width) {
                    while (out.back().isLowSurrogate()) out.chop(1);
                    out.chop(1);
                }
                // A break chance of ours right before the "…" would let the label wrap it onto a line
                // of its own. (The text's own stay: each took a column.)
                if (out.size() - 1 == lastBreak) out.chop(1);
                out += QChar(0x2026);
                line = textLine;
                break;
            }
            column = 0;
        }
        if (lineEnd || c.isSpace()) {
            run = 0;
        } else if (!secondHalf && ++run > width / 2) {
            lastBreak = out.size();
            out += kBreakChance;
            run = 1;
        }
        out += c;
        if (!lineEnd && !secondHalf) ++column;
        if (!lineEnd) {
            textLine = line;
            textColumn = column;
        }
    }
    if (used) *used = line;
    return out;
}

}  // namespace fw
