#include "fw/text.h"
#include "update/updatewindow.h"

using namespace fw;

QString updateWindow::startTag(const QString& name) {
    return QStringLiteral("<") + name + QStringLiteral(">");
}

QString updateWindow::endTag(const QString& name) {
    return QStringLiteral("</") + name + QStringLiteral(">");
}

QString updateWindow::returnValue(const QString& content, const QString& name) {
    const int p = InStr(content, startTag(name));
    if (p == 0) return QString();
    const int start = p + Len(startTag(name));
    const int e = InStr(start, content, endTag(name));
    if (e == 0) return QString();
    return Mid(content, start, e - start);
}
