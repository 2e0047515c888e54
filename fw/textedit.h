#pragma once
#include <QTextEdit>

namespace fw {

// The game's rich-text fields are built on this QTextEdit: a paste, a drop or a middle click that
// brings no text pastes nothing and beeps. Qt 6.4's text control takes the first of the offered
// formats without looking whether there is one, and a clipboard that holds nothing (no copy yet in
// the desktop session) has none. Public, as they are what every paste path hands the field.
class TextEdit : public QTextEdit {
    Q_OBJECT
  public:
    explicit TextEdit(QWidget* parent = nullptr);

    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

    // Whether text added at the end should bring the view along: the view is at the end as it was
    // last scrolled (more text or a smaller field does not move it away), and no mouse button
    // pressed in the field or on its scroll bar is held, as the text under a dragging mouse would
    // move and the selection grow with it.
    bool followsEnd() const;

  protected:
    bool viewportEvent(QEvent* e) override;

  private:
    bool atEnd_ = true;
    bool pressed_ = false;
};

}  // namespace fw
