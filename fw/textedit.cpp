#include "fw/textedit.h"

#include <QMimeData>

#include "fw/sound.h"

namespace fw {

bool TextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source && !source->formats().isEmpty() && QTextEdit::canInsertFromMimeData(source);
}

void TextEdit::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly()) return;
    if (!canInsertFromMimeData(source)) {
        Beep();
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

}  // namespace fw
