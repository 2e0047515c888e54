#pragma once
#include <QTreeWidget>
#include <functional>
#include <vector>

namespace fw {

// A list box of one column whose rows may be folders. Rows are counted from 0 over what is
// shown: every top-level row and, beneath each expanded folder, its rows. Expanding a folder,
// in code or by a person, raises expandRow before it returns, and the rows added meanwhile go
// beneath that folder (none once it closed again); collapsing removes them. A double click on a
// folder's arrow only opens or closes it, without raising doubleClick. Setting ListIndex raises
// change; an index before the first or past the last row leaves no row selected (ListIndex -1).
class ListBox : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);

    void DeleteAllRows();
    void AddRow(const QString& text);
    void AddFolder(const QString& text);
    QString List(int row) const;  // the row's text; a row that is not there throws
    // The first row whose text equals `text`, letter case aside (one walk over the rows); -1 if none.
    int findRow(const QString& text) const;
    bool isFolder(int row) const;
    bool Expanded(int row) const;
    void setExpanded(int row, bool on);  // does nothing on a plain row
    int ListIndex() const;
    void setListIndex(int row);
    int ListCount() const;
    QString Text() const;  // the selected row's text, empty with none

    std::function<void()> change;
    std::function<void()> doubleClick;
    std::function<void()> gotFocus;
    std::function<void(int row)> expandRow;
    // Keys typed while the list has the focus (arrows as Chr(28) left .. Chr(31) down); true
    // consumes the key, false lets the list handle it.
    std::function<bool(const QString& key)> keyDown;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    std::vector<QTreeWidgetItem*> rows() const;
    QTreeWidgetItem* rowItem(int row) const;
    int rowOf(const QTreeWidgetItem* item) const;
    void expanded(QTreeWidgetItem* item);
    void collapsed(QTreeWidgetItem* item);

    // The folder whose expandRow runs, and the list's clears and the folder's closings when it
    // opened: once either moved on, the rows added are no longer the open folder's.
    struct Expansion {
        int clears = 0, collapses = 0;
    };
    bool expansionGone() const;
    QTreeWidgetItem* expanding_ = nullptr;
    Expansion expansion_;
    int clears_ = 0;
    bool quiet_ = false;  // a change made in code raises change itself
};

}  // namespace fw
