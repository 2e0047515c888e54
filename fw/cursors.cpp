#include "fw/cursors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

namespace fw {
namespace {
bool& ours() {
    static bool set = false;  // whether the override cursor on the application is ours
    return set;
}
}  // namespace

void setAppMouseCursor(const std::shared_ptr<QCursor>& cursor) {
    if (!cursor) {
        if (std::exchange(ours(), false)) QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (ours()) {
        // A cursor comes freshly loaded at every use; the platform would keep each new picture.
        if (!sameCursor(*QGuiApplication::overrideCursor(), *cursor))
            QGuiApplication::changeOverrideCursor(*cursor);
        return;
    }
    QGuiApplication::setOverrideCursor(*cursor);
    ours() = true;
}

const QCursor* appMouseCursor() { return ours() ? QGuiApplication::overrideCursor() : nullptr; }

bool sameCursor(const QCursor& a, const QCursor& b) {
    if (a.shape() != b.shape()) return false;
    if (a.shape() != Qt::BitmapCursor) return true;
    return a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

}  // namespace fw
