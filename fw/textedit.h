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
    using QTextEdit::QTextEdit;

    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace fw
