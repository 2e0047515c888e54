#include "tests/help/helptestsupport.h"

#include "fw/listbox.h"
#include "fw/window.h"
#include "help/helpwindow.h"

namespace helptest {

QString manual(const QStringList& bodyLines) {
    return QStringLiteral("<html><body>") + bodyLines.join(QChar(13)) + QStringLiteral("</body></html>");
}

helpWindow* load(const QString& text) {
    if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
    helpWindow* w = helpWindow::get();
    w->helpInit(text);
    return w;
}

QStringList topics(helpWindow* w) {
    QStringList r;
    for (int i = 1; i <= w->helpTopic.ubound(); ++i)
        r << (w->helpIndent[i] ? QStringLiteral("  ") : QString()) + w->helpTopic[i];
    return r;
}

QStringList rows(helpWindow* w) {
    QStringList r;
    for (int i = 0; i < w->topicsList->ListCount(); ++i) {
        QString mark;
        if (w->topicsList->isFolder(i))
            mark = w->topicsList->Expanded(i) ? QStringLiteral("-") : QStringLiteral("+");
        r << mark + w->topicsList->List(i);
    }
    return r;
}

QString visible(const QString& s) {
    QString r = s;
    r.replace(QChar(0), QStringLiteral("{0}"));
    r.replace(QChar(13), QStringLiteral("{r}"));
    return r;
}

}  // namespace helptest

#include <QTextCursor>

#include "fw/editfield.h"

namespace helptest {
QString styleAt(helpWindow* w, int topic, int offset) {
    fw::EditField field;
    field.SetTextAndStyle(w->helpText[topic], w->helpStyle[topic]);
    QTextCursor c(field.document());
    c.setPosition(offset + 1);
    const QTextCharFormat f = c.charFormat();
    QString r;
    if (f.fontWeight() >= QFont::Bold) r += u'b';
    if (f.fontItalic()) r += u'i';
    if (f.fontUnderline()) r += u'u';
    const QColor colour = f.foreground().color();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && colour != QColor(Qt::black))
        r += QStringLiteral("#%1").arg(colour.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    return r;
}
}  // namespace helptest
