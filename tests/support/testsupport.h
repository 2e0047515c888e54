#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QWidget;
namespace fw {
class MenuItem;
}

// Test programs: each test class registers itself with ZORVIK_TEST(Class); the area's main runs
// them all, headless, with audio off, the self-advancing clock and a temporary preferences folder.
namespace testing {

using Factory = std::function<QObject*()>;
int registerTest(const char* name, Factory factory);
std::vector<std::pair<const char*, Factory>>& registeredTests();

// A fresh game state: module arrays and dice created, logs emptied, randomness seeded, any open
// window closed, dialogs answered with their first button, preferences in a temporary folder.
void resetGame(unsigned seed = 1);

// Lets the event loop run posted work (deferred turns, closed windows) until nothing is left,
// at most `rounds` times.
void drain(int rounds = 1000);

// Faces for the next rolled dice, in the order they are rolled.
void forceFaces(std::initializer_list<int> faces);

// Puts the dice on the table as a test wants them: faces of dice 1..6, none on the shelf.
void setFaces(std::initializer_list<int> faces);

// Chooses `item` in `window`'s menu bar as a person does: a click on its menu's title, then on
// the item, through the window system. Returns once the item's handler has returned.
void chooseInMenuBar(QWidget* window, const fw::MenuItem& item);

// The history text, line by line (without the empty text after the last line end).
QStringList historyLines();

// A desktop session's clipboard and selection before anything was copied: data without a format.
void emptyClipboard();

QString preferencesFolder();

// The preferences file in the test's folder, written and read as raw bytes.
QString prefsPath();
void writePrefs(const QByteArray& bytes);
QByteArray readPrefs();

}  // namespace testing

#define ZORVIK_TEST(Class) \
    static const int Class##_registered = testing::registerTest(#Class, [] { return new Class; });
