#pragma once
#include "fw/window.h"

class QLabel;
class boardClass;

// The main window: the dice table, the three turn buttons, two captions and the die readout.
class gameWindow : public fw::Window {
    Q_OBJECT
  public:
    static gameWindow* get() { return fw::Window::get<gameWindow>(); }

    bool firstRoll = false;   // the turn's first roll is still to come
    int rollNumber = 0;       // rolls made in the turn
    int savedSomePoints = 0;  // groups set aside since the last roll, net of groups taken back

    fw::PushButton* rollButton = nullptr;
    boardClass* playingSurface = nullptr;
    QLabel* Label[2] = {nullptr, nullptr};  // "Saved Dice:", "Roll Area:"
    fw::PushButton* saveAllButton = nullptr;
    fw::PushButton* stopButton = nullptr;
    QLabel* debug = nullptr;

    // The turn controller
    void rollButton_Action();
    void playingSurface_diceRemovedFromShelf(int i);
    void playingSurface_diceAddedToShelf(int i);
    void saveAllButton_Action();
    void stopButton_Action();
    void resetButtons();
    void updateButtons();
    bool allSaved();
    void writeSaveList();

    // Whether a person's clicks and keys on the table and the turn buttons count now: not while
    // the dice roll, not while a computer player is on turn, and not while any handler of the game
    // runs (input met in one of its loop yields is dropped).
    bool personMayAct() const;

  protected:
    void createControls() override;
    void Open() override;
    bool KeyDown(const QString& key) override;
};
