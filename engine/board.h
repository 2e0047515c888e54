#pragma once
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

#include "engine/records.h"
#include "fw/list.h"

class QPainter;

// The dice table: the shelf of eight squares at the left, the roll area at the right.
// It keeps no copy of the dice: every operation works on globalsModule::dice.
class boardClass : public QWidget {
    Q_OBJECT
  public:
    explicit boardClass(QWidget* parent = nullptr);

    fw::ObjList<pointClass> savedPoints{8};  // squares 1..8
    int currentPointsSaved = 0;              // points set aside in the current turn
    std::shared_ptr<QPixmap> Backdrop;       // drawn beneath everything Paint draws

    // Raised once per scoring group moved, with the index of the clicked (or lowest) die.
    std::function<void(int)> diceAddedToShelf;
    std::function<void(int)> diceRemovedFromShelf;

    // Whether a person's click on the table is acted upon now (empty: always).
    std::function<bool()> personGate;

    // Faces that the next rolled dice show, in the order they are rolled (tests force rolls).
    static std::deque<int>& forcedFaces();

    // The 64 x 64 picture of a die whose top-left corner is (x, y). Painting, the hit box
    // (one pixel larger to the right and below) and the refresh rectangle all derive from it.
    static QRect dieRect(int x, int y);

    // Events
    void Open();
    void Paint(QPainter& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);
    void MouseMove(int x, int y);

    // Rolling
    void rollTheDice();
    void freshRoll();
    void randomLocation(int& x, int& y);
    int randomSix();
    bool isOkay(int n, int x, int y);
    bool checkPoint(int px, int py, int dx, int dy);
    void firstFreePlace(int n, int& x, int& y);  // the first accepted corner, row by row
    void delay(int ticks);
    bool rolling() const { return rolling_; }

    // Drawing and geometry
    std::shared_ptr<QPixmap> returnDieFace(int face);
    int withinPoint(int x, int y);
    void refreshDie(int x, int y);
    void drawFrame(QPainter& g);
    void drawSavedFrames(QPainter& g);
    void initSavedPoints();
    void initDies();

    // The shelf
    void saveAllPoints();
    void findEmptySquare(int& x, int& y);
    void emptySquares();
    void markSquare(int x, int y, bool filled);
    void moveToEmptySquare(const QList<int>& group);
    void restoreDie(const QList<int>& group);
    void moveThisDie(int i, bool toShelf);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    bool personMayClick() const;

    bool rolling_ = false;
    bool pressed_ = false;
};
