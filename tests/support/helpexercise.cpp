#include "tests/support/helpexercise.h"

#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"

namespace helptest {
namespace {
QString checkData(helpWindow* w) {
    const int n = w->helpTopic.ubound();
    if (w->helpText.ubound() != n || w->helpStyle.ubound() != n || w->helpIndent.ubound() != n)
        return QStringLiteral("topic arrays differ in length");
    if (n < 1) return QStringLiteral("no topic");
    if (w->helpURL.ubound1() > n) return QStringLiteral("link rows past the last topic");
    if (w->helpURL.ubound2() != w->helpMaxURLs && w->helpURL.ubound1() > 0)
        return QStringLiteral("link slots differ from helpMaxURLs");
    for (int i = 1; i <= w->helpURL.ubound1(); ++i)
        for (int k = 1; k <= w->helpURL.ubound2(); ++k) {
            if (w->helpURL(i, k).isEmpty()) continue;
            const int pos = w->helpURLPos(i, k), len = w->helpURLlen(i, k);
            if (pos < 0 || pos > fw::Len(w->helpText[i]) || pos + len > fw::Len(w->helpText[i]))
                return QStringLiteral("link %1,%2 outside its topic's text").arg(i).arg(k);
        }
    const QString row = w->topicsList->Text();
    if (!row.isEmpty() && w->helpField->Text() != w->helpText[w->helpReturnIndex(row)])
        return QStringLiteral("the selected row's topic is not the one shown");
    return QString();
}
}  // namespace

QString exercise(helpWindow* w, const QString& manual) {
    w->helpInit(manual);
    QString broken = checkData(w);
    if (!broken.isEmpty()) return broken;
    fw::ListBox* list = w->topicsList;
    for (int r = 0; r < list->ListCount() && r < 200; ++r) {
        list->setListIndex(r);
        if (list->isFolder(r)) {
            list->setExpanded(r, true);
            list->setExpanded(r, false);
        }
    }
    for (int i = 1; i <= w->helpTopic.ubound() && i <= 200; ++i) {
        w->helpShowTopic(w->helpTopic[i]);
        if (!w->helpTopic[i].isEmpty() && w->helpField->Text() != w->helpText[i])
            return QStringLiteral("topic %1 shown with another text").arg(i);
    }
    for (const int key : {31, 31, 30, 30, 30, 29, 28}) w->helpField_KeyDown(fw::Chr(key));
    return checkData(w);
}

}  // namespace helptest
