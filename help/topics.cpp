// The topic list: top-level topics as rows (folders when subtopics follow), subtopics added
// beneath a folder when it opens, and the arrow keys typed into the help text driving the list.
#include "fw/clock.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"

using namespace fw;

namespace {
const QString kLeft = Chr(28), kRight = Chr(29), kUp = Chr(30), kDown = Chr(31);
}

void helpWindow::helpDisplayTopics() {
    const int n = helpTopic.ubound();
    topicsList->DeleteAllRows();
    for (int i = 1; i <= n - 1; ++i) {
        if (!helpIndent[i]) {
            if (helpIndent[i + 1])
                topicsList->AddFolder(helpTopic[i]);
            else
                topicsList->AddRow(helpTopic[i]);
        }
        yieldToEventLoop();
    }
    if (n >= 1 && !helpIndent[n]) topicsList->AddRow(helpTopic[n]);
}

void helpWindow::topicsList_ExpandRow(int row) {
    const int i = helpReturnIndex(topicsList->List(row));
    if (i == -1) return;
    for (int k = i + 1; k <= helpTopic.ubound() && helpIndent[k]; ++k) {
        topicsList->AddRow(helpTopic[k]);
        yieldToEventLoop();
    }
}

void helpWindow::helpSelectTopic(const QString& name) {
    // Rows are found by one walk each, not by reading row after row: a row's text costs a walk.
    const int row = topicsList->findRow(name);
    if (row >= 0) {
        topicsList->setListIndex(row);
        return;
    }
    int idx = -1;
    for (int i = 1; i <= helpTopic.ubound(); ++i)
        if (textEquals(helpTopic[i], name)) {
            idx = i;
            break;
        }
    if (idx < 1) return;
    int parent = idx;
    while (parent >= 1 && helpIndent[parent]) --parent;
    if (parent < 1) return;
    const int r = topicsList->findRow(helpTopic[parent]);
    if (r < 0) return;
    // Only an opening can bring the row forth; asking again otherwise would never end
    // (an unnamed parent, whose folder opens empty, or a plain row of the same name).
    const int before = topicsList->ListCount();
    if (topicsList->isFolder(r) && !topicsList->Expanded(r)) topicsList->setExpanded(r, true);
    if (topicsList->ListCount() > before) helpSelectTopic(name);
}

void helpWindow::topicsList_Change() { helpShowTopic(topicsList->Text()); }

void helpWindow::topicsList_DoubleClick() {
    const int row = topicsList->ListIndex();
    if (row >= 0) topicsList->setExpanded(row, !topicsList->Expanded(row));
}

void helpWindow::topicsList_GotFocus() { helpField->SetFocus(); }

bool helpWindow::topicsList_KeyDown(const QString& key) {
    const int row = topicsList->ListIndex();
    if (key == kRight && row > -1 && !topicsList->Expanded(row)) topicsList->setExpanded(row, true);
    if (key == kLeft && row > -1 && topicsList->Expanded(row)) topicsList->setExpanded(row, false);
    return false;
}

bool helpWindow::helpField_KeyDown(const QString& key) {
    const int row = topicsList->ListIndex();
    if (row == -1) return false;
    if (key == kRight) {
        if (!topicsList->Expanded(row)) topicsList->setExpanded(row, true);
    } else if (key == kLeft) {
        if (topicsList->Expanded(row)) topicsList->setExpanded(row, false);
    } else if (key == kUp) {
        topicsList->setListIndex(topicsList->ListIndex() - 1);
        if (topicsList->ListIndex() == -1) topicsList->setListIndex(topicsList->ListCount() - 1);
    } else if (key == kDown) {
        topicsList->setListIndex(topicsList->ListIndex() + 1);
        if (topicsList->ListIndex() == -1) topicsList->setListIndex(0);
    } else {
        return false;
    }
    return true;
}
