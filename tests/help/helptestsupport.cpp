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
