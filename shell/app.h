#pragma once
#include <QList>
#include <QString>
#include <functional>
#include <utility>

class Menu;
namespace fw {
class MenuItem;
}

// The application object: its opening, the menus' enabling and the five menu handlers.
class app {
  public:
    Menu* MenuBar = nullptr;

    void EnableMenuItems();
    void Open();
    bool _AppleAbout_Action();
    bool _FileNewGame_Action();
    bool _helpInstructions_Action();
    bool _fileQuit_Action();
    bool _helpCheckforUpdates_Action();

    // Menu handlers are found by the chosen item's name without regard to letter case.
    void AddMenuHandler(const QString& key, std::function<bool()> handler);
    void RemoveMenuHandlers();
    bool hasMenuHandler(const QString& itemName) const;
    // Runs the handler of the item; false when it has none or it leaves the item to the framework.
    bool runMenuHandler(const QString& itemName);

    int MajorVersion() const;
    int MinorVersion() const;
    int BugVersion() const;
    QString ShortVersion() const;  // "1.0.0"
    QString LongVersion() const;   // "Version 1.0.0"

  private:
    QList<std::pair<QString, std::function<bool()>>> handlers_;
};

app* App();

// The menu items the application reaches, found by name in App()->MenuBar at every call.
fw::MenuItem* AppleAbout();
fw::MenuItem* FileNewGame();
fw::MenuItem* HelpInstructions();
fw::MenuItem* HelpCheckforUpdates();
fw::MenuItem* FileQuit();

// Start-up without the event loop: the module arrays, the application object with its menu bar
// and the menu handlers. Tests call it to meet the menus as the running program has them.
void setUpApplication();

// The whole program: start-up, the event loop (App()->Open comes first), then the finalisation.
// Uses the running QApplication or makes one; returns the exit code once the application quits.
int runApplication(int argc, char** argv);
