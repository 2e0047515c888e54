#include "base/fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace fonts {

QFont system() { return QApplication::font(); }

QFont boldSystem() {
    QFont f = system();
    f.setBold(true);
    return f;
}

QFont smallSystem() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    f.setPointSizeF(std::max(QApplication::font().pointSizeF() - 1, 8.0));
    return f;
}

QFont geneva() {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace fonts
