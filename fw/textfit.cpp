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

}  // namespace fw
