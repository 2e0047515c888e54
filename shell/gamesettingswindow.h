#pragma once
#include "fw/window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

// The modal "New Game Settings" dialog: the roster of known players, the round length, and
// "Start Game".
class gameSettingsWindow : public fw::Window {
    Q_OBJECT
  public:
    static gameSettingsWindow* get() { return fw::Window::get<gameSettingsWindow>(); }

    QTreeWidget* playerListBox = nullptr;  // Playing (check box), Name (editable), Kind
    fw::PushButton* addButton = nullptr;
    QLineEdit* nameField = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    fw::PushButton* okayButton = nullptr;    // "Start Game"
    fw::PushButton* cancelButton = nullptr;  // "Cancel"
    QComboBox* roundSizePopup = nullptr;
    QLabel* Label[3] = {nullptr, nullptr, nullptr};
    QComboBox* playerKindPopup = nullptr;

    void loadValues();
    void buildPlayerLists();
    bool enoughPlayers();
    void choosePopup(QComboBox* popup, const QString& text);

    // Control events
    bool playerListBox_KeyDown(const QString& key);
    void playerListBox_CellAction(int row, int column);
    void playerListBox_Change();
    void addButton_Action();
    void nameField_TextChange();
    void okayButton_Action();
    void cancelButton_Action();
    void playerKindPopup_Change();

    // The menus' enabling while the dialog is the active window.
    void EnableMenuItems() override;

  protected:
    void createControls() override;
    void Open() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void playerListBox_Open();
    int listIndex() const;  // the selected row, -1 for none
};
