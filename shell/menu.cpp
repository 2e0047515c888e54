#include "shell/menu.h"

#include <QAction>

namespace {
using Kind = fw::MenuItem::Kind;

struct Row {
    const char* name;
    Kind kind;
    const char* parent;  // nullptr: a menu of the bar
    const char* text;
    const char* shortcut;  // nullptr: not set (separators)
    bool autoEnable;
};

// In the order of the bar; each item lands after the ones appended before it.
const Row kRows[] = {
    {"UntitledMenu3", Kind::Plain, nullptr, "File", "", false},
    {"FileNewGame", Kind::Plain, "UntitledMenu3", "New Game...", "Cmd+N", false},
    {"UntitledMenu4", Kind::Plain, "UntitledMenu3", "-", nullptr, false},
    {"FileQuit", Kind::Quit, "UntitledMenu3", "Quit", "Cmd+Q", true},
    {"UntitledMenu1", Kind::Plain, nullptr, "Edit", "", false},
    {"EditUndo", Kind::Plain, "UntitledMenu1", "Undo", "Cmd+Z", false},
    {"UntitledMenu2", Kind::Plain, "UntitledMenu1", "-", nullptr, false},
    {"EditCut", Kind::Plain, "UntitledMenu1", "Cut", "Cmd+X", false},
    {"EditCopy", Kind::Plain, "UntitledMenu1", "Copy", "Cmd+C", false},
    {"EditPaste", Kind::Plain, "UntitledMenu1", "Paste", "Cmd+V", false},
    {"EditClear", Kind::Plain, "UntitledMenu1", "Clear", "", false},
    {"HelpMenu", Kind::Plain, nullptr, "Help", "", false},
    {"HelpInstructions", Kind::Plain, "HelpMenu", "Instructions...", "Cmd+?", true},
    {"UntitledMenu0", Kind::Plain, "HelpMenu", "-", nullptr, true},
    {"HelpCheckforUpdates", Kind::Plain, "HelpMenu", "Check Website for New Version...", "", true},
    {"AppleAbout", Kind::Apple, "HelpMenu", "About Zorvik!...", "", false},
};
}  // namespace

Menu* Menu::get() {
    static Menu* bar = new Menu;
    return bar;
}

Menu::Menu() {
    for (const Row& row : kRows) {
        auto* item = new fw::MenuItem(row.kind);
        item->setName(QString::fromLatin1(row.name));
        item->setAutoEnable(row.autoEnable);
        item->setText(QString::fromUtf8(row.text));
        if (row.shortcut) item->setKeyboardShortcut(QString::fromLatin1(row.shortcut));
        if (row.parent)
            Child(QString::fromLatin1(row.parent))->Append(item);
        else
            Append(item);
    }
    // F1 is the desktop's usual help key; Ctrl+? stays the item's own shortcut.
    QAction* help = find(QStringLiteral("HelpInstructions"))->action();
    help->setShortcuts({help->shortcut(), QKeySequence(Qt::Key_F1)});
    // Quitting and the manual are at hand in the dialogs and message boxes too.
    setKeysOfEveryWindow({QStringLiteral("FileQuit"), QStringLiteral("HelpInstructions")});
}
