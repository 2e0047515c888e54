#pragma once
#include "fw/textedit.h"
#include "fw/window.h"

class QTreeWidget;
class QLabel;

// The score table and the game history, beside the main window.
class playerListWindow : public fw::Window {
    Q_OBJECT
  public:
    static playerListWindow* get() { return fw::Window::get<playerListWindow>(); }

    QTreeWidget* ListBox1 = nullptr;   // the score table: Name, Throw Score, Turn Score, Total Score
    fw::TextEdit* status = nullptr;    // the game history
    QLabel* StaticText1 = nullptr;     // "Game History:"
    QWidget* noClickCanvas = nullptr;  // lies over the table and takes every click on it

    // Rewrites the score cells of every row and marks the player on turn.
    void updateScores();

  protected:
    void createControls() override;
    void Open() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void layOutColumns();
};
