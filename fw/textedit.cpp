#include "fw/textedit.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

#include "fw/sound.h"

namespace fw {

TextEdit::TextEdit(QWidget* parent) : QTextEdit(parent) {
    // Only a change of the value counts: a range that grows under the view leaves it where it was.
    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { atEnd_ = value == bar->maximum(); });
}

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

bool TextEdit::followsEnd() const {
    // A view that shows the end now is at it too (a history emptied while scrolled to its top).
    // A release that went elsewhere (to a menu the press opened) still ends the press.
    const QScrollBar* bar = verticalScrollBar();
    return (atEnd_ || bar->value() == bar->maximum()) && !bar->isSliderDown() &&
           !(pressed_ && QGuiApplication::mouseButtons() != Qt::NoButton);
}

bool TextEdit::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
        pressed_ = true;
    else if (e->type() == QEvent::MouseButtonRelease)
        pressed_ = static_cast<QMouseEvent*>(e)->buttons() != Qt::NoButton;
    return QTextEdit::viewportEvent(e);
}

}  // namespace fw
