#include "fw/listbox.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <utility>

#include "fw/editfield.h"
#include "fw/errors.h"
#include "fw/text.h"

namespace fw {
namespace {
constexpr int kFolderRole = Qt::UserRole + 1;
constexpr int kCollapsesRole = Qt::UserRole + 2;  // how often the folder has closed

// Runs `work` with `flag` set, restoring its value afterwards (also on a throw).
template <class F>
void with(bool& flag, F&& work) {
    const bool was = std::exchange(flag, true);
    try {
        work();
    } catch (...) {
        flag = was;
        throw;
    }
    flag = was;
}
}  // namespace

ListBox::ListBox(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // Room for the disclosure arrow and no more: topic names in a narrow list keep their width.
    setIndentation(12);
    connect(this, &QTreeWidget::itemExpanded, this, &ListBox::expanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &ListBox::collapsed);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!quiet_ && change) change();
    });
}

std::vector<QTreeWidgetItem*> ListBox::rows() const {
    std::vector<QTreeWidgetItem*> result;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        result.push_back(top);
        if (top->isExpanded())
            for (int k = 0; k < top->childCount(); ++k) result.push_back(top->child(k));
    }
    return result;
}

QTreeWidgetItem* ListBox::rowItem(int row) const {
    const auto all = rows();
    if (row < 0 || row >= int(all.size())) throw OutOfBoundsException();
    return all[size_t(row)];
}

int ListBox::rowOf(const QTreeWidgetItem* item) const {
    const auto all = rows();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == item) return int(i);
    return -1;
}

void ListBox::DeleteAllRows() {
    const bool hadSelection = !selectedItems().isEmpty();
    ++clears_;
    with(quiet_, [this] { clear(); });
    if (hadSelection && change) change();
}

bool ListBox::expansionGone() const {
    return expanding_ && (expansion_.clears != clears_ || !expanding_->isExpanded() ||
                          expanding_->data(0, kCollapsesRole).toInt() != expansion_.collapses);
}

void ListBox::AddRow(const QString& text) {
    // Rows added while the folder that asked for them is closed (or gone) would show up twice.
    if (expansionGone()) return;
    auto* item = new QTreeWidgetItem(QStringList{text});
    if (expanding_)
        expanding_->addChild(item);
    else
        addTopLevelItem(item);
}

void ListBox::AddFolder(const QString& text) {
    if (expansionGone()) return;
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kFolderRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (expanding_)
        expanding_->addChild(item);
    else
        addTopLevelItem(item);
}

QString ListBox::List(int row) const { return rowItem(row)->text(0); }

int ListBox::findRow(const QString& text) const {
    const auto all = rows();
    for (size_t i = 0; i < all.size(); ++i)
        if (textEquals(all[i]->text(0), text)) return int(i);
    return -1;
}

bool ListBox::isFolder(int row) const { return rowItem(row)->data(0, kFolderRole).toBool(); }

bool ListBox::Expanded(int row) const { return rowItem(row)->isExpanded(); }

void ListBox::setExpanded(int row, bool on) {
    QTreeWidgetItem* item = rowItem(row);
    if (!item->data(0, kFolderRole).toBool() || item->isExpanded() == on) return;
    item->setExpanded(on);  // expanded() or collapsed() runs before this returns
}

void ListBox::expanded(QTreeWidgetItem* item) {
    if (!item->data(0, kFolderRole).toBool()) return;
    QTreeWidgetItem* outer = std::exchange(expanding_, item);
    const Expansion outerState =
        std::exchange(expansion_, Expansion{clears_, item->data(0, kCollapsesRole).toInt()});
    try {
        if (expandRow) expandRow(rowOf(item));
    } catch (...) {
        expanding_ = outer;
        expansion_ = outerState;
        throw;
    }
    expanding_ = outer;
    expansion_ = outerState;
}

void ListBox::collapsed(QTreeWidgetItem* item) {
    bool lostSelection = false;
    for (int k = 0; k < item->childCount(); ++k)
        lostSelection = lostSelection || item->child(k)->isSelected();
    item->setData(0, kCollapsesRole, item->data(0, kCollapsesRole).toInt() + 1);
    with(quiet_, [&] {
        qDeleteAll(item->takeChildren());
        // The selection passes to the folder that hid it.
        if (lostSelection) setCurrentItem(item);
    });
    if (lostSelection && change) change();
}

int ListBox::ListIndex() const {
    const auto chosen = selectedItems();
    return chosen.isEmpty() ? -1 : rowOf(chosen.first());
}

void ListBox::setListIndex(int row) {
    const auto all = rows();
    with(quiet_, [&] {
        if (row >= 0 && row < int(all.size())) {
            setCurrentItem(all[size_t(row)]);
            scrollToItem(all[size_t(row)]);
        } else {
            clearSelection();
            setCurrentItem(nullptr);
        }
    });
    if (change) change();
}

int ListBox::ListCount() const { return int(rows().size()); }

QString ListBox::Text() const {
    const auto chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text(0);
}

void ListBox::keyPressEvent(QKeyEvent* e) {
    if (keyDown && keyDown(EditField::keyText(e))) {
        e->accept();
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

void ListBox::focusInEvent(QFocusEvent* e) {
    QTreeWidget::focusInEvent(e);
    if (gotFocus) gotFocus();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* e) {
    // Left of a row's text lies its disclosure arrow: the presses there open and close that
    // folder themselves and do not select it, so a double click there is no row's double click.
    const QPoint at = e->position().toPoint();
    const QModelIndex index = indexAt(at);
    const bool onArrow = index.isValid() && at.x() < visualRect(index).left();
    QTreeWidget::mouseDoubleClickEvent(e);
    if (doubleClick && !onArrow) doubleClick();
}

}  // namespace fw
