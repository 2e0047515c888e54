#include "fw/menu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "fw/events.h"
#include "fw/inputgate.h"
#include "fw/text.h"

namespace fw {
namespace {
// The Edit items that the framework serves itself, by name.
const std::pair<const char*, EditCommand> kEditItems[] = {
    {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},     {"EditCopy", EditCommand::Copy},
    {"EditPaste", EditCommand::Paste}, {"EditClear", EditCommand::Clear},
};

const EditCommand* editCommandOf(const QString& name) {
    for (const auto& [itemName, command] : kEditItems)
        if (textEquals(name, QLatin1String(itemName))) return &command;
    return nullptr;
}

template <class Edit>
bool textEditCan(Edit* e, EditCommand c) {
    const bool selection = e->textCursor().hasSelection();
    switch (c) {
        case EditCommand::Undo:
            return !e->isReadOnly() && e->document()->isUndoAvailable();
        case EditCommand::Cut:
        case EditCommand::Clear:
            return !e->isReadOnly() && selection;
        case EditCommand::Copy:
            return selection;
        case EditCommand::Paste:
            return !e->isReadOnly() && e->canPaste();
    }
    return false;
}

void clearSelection(QLineEdit* e) { e->del(); }
template <class Edit>
void clearSelection(Edit* e) {
    e->textCursor().removeSelectedText();
}

template <class Edit>
void editRun(Edit* e, EditCommand c) {
    switch (c) {
        case EditCommand::Undo:
            e->undo();
            break;
        case EditCommand::Cut:
            e->cut();
            break;
        case EditCommand::Copy:
            e->copy();
            break;
        case EditCommand::Paste:
            e->paste();
            break;
        case EditCommand::Clear:
            clearSelection(e);
            break;
    }
}

bool lineEditCan(QLineEdit* e, EditCommand c) {
    const bool plain = e->echoMode() == QLineEdit::Normal;
    switch (c) {
        case EditCommand::Undo:
            return !e->isReadOnly() && e->isUndoAvailable();
        case EditCommand::Cut:
            return !e->isReadOnly() && plain && e->hasSelectedText();
        case EditCommand::Clear:
            return !e->isReadOnly() && e->hasSelectedText();
        case EditCommand::Copy:
            return plain && e->hasSelectedText();
        case EditCommand::Paste:
            return !e->isReadOnly();
    }
    return false;
}

}  // namespace

MenuItem::MenuItem(Kind kind) : kind_(kind), action_(std::make_unique<QAction>()) {
    action_->setEnabled(kind == Kind::Quit);
    QObject::connect(action_.get(), &QAction::triggered, action_.get(), [this] {
        MenuItem* root = this;
        while (root->parent_) root = root->parent_;
        if (auto* bar = dynamic_cast<MenuBar*>(root)) bar->choose(*this);
    });
}

MenuItem::~MenuItem() = default;

void MenuItem::setText(const QString& text) {
    text_ = text;
    // A separator is a plain line: some styles draw an action's text beside the line.
    action_->setText(isSeparator() ? QString() : text);
    action_->setSeparator(isSeparator());
}

void MenuItem::setAutoEnable(bool on) {
    autoEnable_ = on;
    if (on) action_->setEnabled(true);
}

void MenuItem::setKeyboardShortcut(const QString& shortcut) {
    action_->setShortcut(shortcutFromText(shortcut));
}

bool MenuItem::Enabled() const { return action_->isEnabled(); }

void MenuItem::setEnabled(bool on) { action_->setEnabled(on); }

void MenuItem::Append(MenuItem* item) {
    item->parent_ = this;
    children_.emplace_back(item);
}

MenuItem* MenuItem::Child(const QString& name) const {
    for (const auto& c : children_)
        if (c->name_ == name) return c.get();
    return nullptr;
}

MenuItem* MenuItem::find(const QString& name) const {
    for (const auto& c : children_) {
        if (c->name_ == name) return c.get();
        if (MenuItem* below = c->find(name)) return below;
    }
    return nullptr;
}

MenuBar::MenuBar() = default;

QMenuBar* MenuBar::makeMenuBar(QWidget* window) {
    auto* bar = new QMenuBar(window);
    for (int i = 0; i < Count(); ++i) {
        MenuItem* menuItem = Item(i);
        QMenu* menu = bar->addMenu(menuItem->Text());
        menu->setObjectName(menuItem->Name());
        for (int j = 0; j < menuItem->Count(); ++j) menu->addAction(menuItem->Item(j)->action());
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { updateEnabled(); });
    }
    return bar;
}

namespace {
QList<QPointer<QAction>>& keysOfEveryWindow() {
    static QList<QPointer<QAction>> actions;
    return actions;
}
}  // namespace

void MenuBar::setKeysOfEveryWindow(const QStringList& names) {
    keysOfEveryWindow().clear();
    for (const QString& name : names)
        if (MenuItem* item = find(name)) keysOfEveryWindow().append(item->action());
}

void addKeysOfEveryWindow(QWidget* window) {
    for (const QPointer<QAction>& action : keysOfEveryWindow())
        if (action) window->addAction(action);
}

void MenuBar::choose(MenuItem& item) {
    if (item.isSeparator() || !item.Enabled()) return;
    if (const EditCommand* command = editCommandOf(item.Name())) {
        // It acts on the field a person chose: dropped like a keystroke while a handler runs, as
        // run later it would paste into whatever field has the focus then. A copy from a read-only
        // field only looks, and goes on, as Ctrl+C does there.
        QWidget* field = QApplication::focusWidget();
        const bool looks = *command == EditCommand::Copy && isReadOnlyText(field);
        if (!looks && dropsPersonInputTo(field)) return;
        HandlerScope scope;
        runEditCommand(*command);
        return;
    }
    // Chosen while the dice roll or a computer plays: the command runs once that handler has
    // returned, so that it never acts in the middle of a turn. Over a modal window, whose loop is
    // waiting for a person, it runs at once. Quit ends every loop at once.
    if (!personInputIdle() && item.kind() != Kind::Quit) {
        QPointer<QAction> action(item.action());
        runWhenIdle([this, &item, action] {
            if (action && item.Enabled()) run(item);
        });
        return;
    }
    run(item);
}

void MenuBar::run(MenuItem& item) {
    HandlerScope scope;
    const bool handled = chosen && chosen(item);
    // Ends the event loop (and any modal loop in it) at once: no window may refuse the quit.
    if (!handled && item.kind() == Kind::Quit) QCoreApplication::exit(0);
}

namespace {
void disableBelow(MenuItem* menu) {
    for (int i = 0; i < menu->Count(); ++i) {
        MenuItem* item = menu->Item(i);
        if (item->Count() > 0) {
            disableBelow(item);
            continue;
        }
        const EditCommand* command = editCommandOf(item->Name());
        item->setEnabled(item->kind() == MenuItem::Kind::Quit || item->AutoEnable() ||
                         (command && editCommandAvailable(*command)));
    }
}
}  // namespace

void MenuBar::updateEnabled() {
    disableBelow(this);
    if (enableMenuItems) enableMenuItems();
}

QKeySequence shortcutFromText(const QString& text) {
    if (text.isEmpty()) return QKeySequence();
    return QKeySequence::fromString(ReplaceAll(text, QStringLiteral("Cmd+"), QStringLiteral("Ctrl+")),
                                    QKeySequence::PortableText);
}

bool editCommandAvailable(EditCommand command) {
    QWidget* w = QApplication::focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return lineEditCan(e, command);
    if (auto* e = qobject_cast<QTextEdit*>(w)) return textEditCan(e, command);
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return textEditCan(e, command);
    return false;
}

void runEditCommand(EditCommand command) {
    if (!editCommandAvailable(command)) return;
    QWidget* w = QApplication::focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(w)) editRun(e, command);
    if (auto* e = qobject_cast<QTextEdit*>(w)) editRun(e, command);
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) editRun(e, command);
}

}  // namespace fw
