#pragma once
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenuBar;
class QWidget;

// Menus of the application. One tree of items serves every window: each item owns one QAction,
// and each window's menu bar shows menus of its own that hold these shared actions.
namespace fw {

class MenuItem {
  public:
    enum class Kind { Plain, Quit, Apple };
    explicit MenuItem(Kind kind = Kind::Plain);
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    Kind kind() const { return kind_; }
    QString Name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    QString Text() const { return text_; }
    void setText(const QString& text);                  // "-" makes a separator
    void setKeyboardShortcut(const QString& shortcut);  // "Cmd+N"; empty for none
    // An auto-enabled item is on from the start, and stays on unless the menus' enabling turns it off.
    bool AutoEnable() const { return autoEnable_; }
    void setAutoEnable(bool on);
    bool Enabled() const;
    void setEnabled(bool on);
    bool isSeparator() const { return text_ == QStringLiteral("-"); }

    void Append(MenuItem* item);                 // takes the item
    MenuItem* Child(const QString& name) const;  // a direct item of this menu
    MenuItem* find(const QString& name) const;   // an item anywhere below this one
    int Count() const { return int(children_.size()); }
    MenuItem* Item(int i) const { return children_.at(size_t(i)).get(); }
    MenuItem* parent() const { return parent_; }

    QAction* action() const { return action_.get(); }

  private:
    Kind kind_;
    QString name_, text_;
    bool autoEnable_ = false;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    std::unique_ptr<QAction> action_;
};

// The application's menu bar: the root of the tree. Choosing an item calls `chosen` with it; a
// result of false lets the framework's own action follow (the quit item quits). The Edit items
// (EditUndo, EditCut, EditCopy, EditPaste, EditClear) act on the focused text field, and are
// dropped, like a person's other input, while a handler runs (fw/inputgate.h), but for a copy from a
// read-only field.
class MenuBar : public MenuItem {
  public:
    MenuBar();

    std::function<bool(MenuItem&)> chosen;
    // The application's and the active window's enabling, run by updateEnabled.
    std::function<void()> enableMenuItems;

    // Brings the enabled states up to date: every item off but the quit item and the auto-enabled
    // ones, the Edit items as the focused text field allows, then enableMenuItems. Runs before a
    // menu opens.
    void updateEnabled();

    // A new menu bar for a window, holding the shared actions.
    QMenuBar* makeMenuBar(QWidget* window);
    // The items whose keys work in every window, also in those without a menu bar: the modal
    // windows and the message boxes (fw::addKeysOfEveryWindow).
    void setKeysOfEveryWindow(const QStringList& names);
    void choose(MenuItem& item);

  private:
    void run(MenuItem& item);
};

// Gives a window without a menu bar the keys of every window (MenuBar::setKeysOfEveryWindow).
void addKeysOfEveryWindow(QWidget* window);

// "Cmd+N" -> Ctrl+N, "Cmd+?" -> Ctrl+?: the Mac command key is Ctrl here.
QKeySequence shortcutFromText(const QString& text);

// The Edit commands of the framework, acting on the text field that has the focus.
enum class EditCommand { Undo, Cut, Copy, Paste, Clear };
bool editCommandAvailable(EditCommand command);
void runEditCommand(EditCommand command);

}  // namespace fw
