#pragma once
#include <QColor>
#include <QHash>
#include <QPushButton>
#include <QString>

#include "fw/grid.h"
#include "fw/list.h"
#include "fw/window.h"

class QGroupBox;
class QLineEdit;
class QPainter;
namespace fw {
class Canvas;
class EditField;
class ListBox;
class PushButton;
}  // namespace fw

// The help viewer: the manual, one HTML text, turned into topics (a name, a display text with its
// style data and a row of links each), listed on the left and shown on the right. Converted once
// per life of the window; closing it hides it, quitting destroys it.
class helpWindow : public fw::Window {
    Q_OBJECT
  public:
    static helpWindow* get() { return fw::Window::get<helpWindow>(); }

    // A column header: members 0 ("Topics") and 1 ("Help Text") of the control array "Label".
    class Label : public QPushButton {
      public:
        Label(int index, QWidget* parent);
        int Index() const { return index_; }

      private:
        int index_;
    };

    // Per topic, indexed from 1 (element 0 holds nothing); all four have the same upper bound.
    fw::List<QString> helpText{0};      // the raw section until built, then the display text
    fw::List<QString> helpStyle{0};     // the field's style data for the display text
    fw::List<QString> helpTopic{0};     // the topic's name, unique among the topics
    QColor helpLinkColor{22, 117, 51};  // internal links ("#name")
    QColor helpURLColor{0, 0, 255};     // external links
    int helpMaxURLs = 0;                // link slots per topic; only ever grows
    fw::List<bool> helpIndent{0};       // true: a subtopic
    // Link tables [topic, slot], slots 1..helpMaxURLs; an empty target is a free slot.
    fw::Grid<QString> helpURL{0, 0};
    fw::Grid<int> helpURLPos{0, 0};  // 0-based offset of the link's first character
    fw::Grid<int> helpURLlen{0, 0};  // length of the link's text in characters
    int helpOldColumn = 0;           // window x of the split between the columns
    int helpOldX = 0;                // window x of the drag line drawn last
    bool foundLink = false;          // the pointer is over a link

    fw::ListBox* topicsList = nullptr;
    fw::EditField* helpField = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* findEdit = nullptr;
    fw::PushButton* findButton = nullptr;
    fw::Canvas* moveBar = nullptr;
    fw::Canvas* pictCanvas = nullptr;  // a pane for a topic's picture; no topic has one, so it stays hidden
    Label* LabelArray[2] = {nullptr, nullptr};

    // Topic list and navigation.
    void topicsList_GotFocus();
    void topicsList_DoubleClick();
    void topicsList_ExpandRow(int row);
    bool topicsList_KeyDown(const QString& key);
    void topicsList_Change();
    bool helpField_KeyDown(const QString& key);
    // Links.
    void helpField_MouseMove(int x, int y);
    void helpField_MouseUp(int x, int y);
    void helpField_MouseExit();
    bool helpField_MouseDown(int x, int y);
    // Search.
    void findEdit_TextChange();
    void findButton_Action();
    // Split bar.
    void moveBar_MouseDrag(int x, int y);
    void moveBar_MouseUp(int x, int y);
    void moveBar_MouseEnter();
    void moveBar_MouseExit();
    void moveBar_Open();
    bool moveBar_MouseDown(int x, int y);
    void moveBar_Paint(QPainter& g);

    // Hides the window instead of closing it unless the application quits; true cancels the close.
    bool CancelClose(bool appQuitting);
    // No part of the game: it takes a person's input while the dice roll or a computer plays.
    bool dropsInputWhileBusy() const override { return false; }

    void helpShow(const QString& manual);
    void helpInit(const QString& manual);
    void helpDefaults();
    void helpShowTopic(const QString& name);
    QString helpExtractBody(const QString& s);
    QString helpReplaceMain(const QString& s);
    void helpParseHTML();
    void helpAddSection(const QString& name, const QString& text, bool indent);
    void helpDivideBody(const QString& body);
    QString helpExtractName(const QString& s);
    void helpDisplayTopics();
    int helpReturnIndex(const QString& name);
    // The first free link slot of a topic, 1 ... helpMaxURLs, or helpMaxURLs itself when every
    // slot of its row is in use (also when helpMaxURLs is 0).
    int helpReturnTopURL(int topic);
    void helpJump(int pos);
    void helpSelectTopic(const QString& name);
    QString helpReplaceLater(const QString& s);
    bool helpOverLink(int x, int y);
    bool helpIsColor(int x, int y);
    void helpAdjustColumns(int x);
    int splitWithinLimits(int x) const;  // x held to 100 ... width - 300
    // Moves the split left as far as the window's width asks (it keeps x <= width - 300).
    void keepSplitInLimits();
    bool helpApproximateColor(const QColor& c1, const QColor& c2);

  protected:
    void createControls() override;
    void Open() override;
    void closeEvent(QCloseEvent* e) override;
    void lockedControlsFollowed(QWidget* parent) override;

  private:
    void bindEvents();
    // Each non-empty topic name (case folded) with the first topic that bears it, kept in step
    // by helpAddSection and helpDefaults, the only writers of the topic arrays.
    QHash<QString, int> topicIndex_;
    template <class W>
    W* place(W* w, const char* name, QRect at, const char* locks);
};
