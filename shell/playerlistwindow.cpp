#include "shell/playerlistwindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTreeWidget>

#include "base/fonts.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/text.h"
#include "fw/textedit.h"
#include "fw/textfit.h"
#include "shell/gamewindow.h"

using namespace globalsModule;

namespace {
constexpr int kTableHeight = 150;

// Paints the row of the player on turn yellow with black text, whatever the desktop's theme.
class CurrentRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        if (index.row() == gCurrentPlayer - 1) {
            painter->fillRect(option.rect, QColor(255, 255, 0));
            o.palette.setColor(QPalette::Text, Qt::black);
            o.palette.setColor(QPalette::HighlightedText, Qt::black);
        }
        QStyledItemDelegate::paint(painter, o, index);
        // Thin horizontal grid lines between the rows.
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

// Lies over the score table and takes every click, so that the table only displays.
class NoClickCanvas : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
};
}  // namespace

void playerListWindow::createControls() {
    setWindowTitle(QStringLiteral("Player List"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    // It comes up beside the dice table when a game starts; the table keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    installMenuBar();
    setContentSize(352, 395);
    content()->setMinimumSize(355, 400);
    content()->setMaximumSize(500, 32000);

    ListBox1 = new QTreeWidget(content());
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Scores"));
    ListBox1->setGeometry(-1, -1, 354, kTableHeight);
    ListBox1->setColumnCount(4);
    ListBox1->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Throw Score"),
                               QStringLiteral("Turn Score"), QStringLiteral("Total Score")});
    ListBox1->setRootIsDecorated(false);
    // Rows of one height: otherwise every changed cell makes the view measure the rows above it,
    // and a score update of n players costs n * n (13 000 players: 1.4 s).
    ListBox1->setUniformRowHeights(true);
    ListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox1->setFocusPolicy(Qt::NoFocus);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListBox1->setFont(fonts::system());
    ListBox1->setItemDelegate(new CurrentRowDelegate(ListBox1));
    ListBox1->header()->setSectionsMovable(false);
    ListBox1->header()->setSectionResizeMode(QHeaderView::Fixed);

    status = new fw::TextEdit(content());
    status->setObjectName(QStringLiteral("status"));
    status->setAccessibleName(QStringLiteral("Game History"));
    status->setGeometry(13, 179, 326, 203);
    status->setReadOnly(true);
    status->setCursorWidth(0);  // read-only: no blinking caret
    status->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    status->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    status->setFont(fonts::smallSystem());
    status->setUndoRedoEnabled(false);  // the history is only appended to; an undo record would double it
    QPalette pal = status->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    status->setPalette(pal);

    StaticText1 = new QLabel(QStringLiteral("Game History:"), content());
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(13, 157, 100, 16);
    StaticText1->setFont(
        fonts::boldSystem());  // in the desktop's text colour, on the window's own background
    fw::widenToFit(StaticText1);

    noClickCanvas = new NoClickCanvas(ListBox1);
    noClickCanvas->setObjectName(QStringLiteral("noClickCanvas"));
    noClickCanvas->setGeometry(0, 0, 354, kTableHeight);
    noClickCanvas->raise();

    lock(ListBox1, true, true, true, false);
    lock(status, true, true, true, true);
    lock(StaticText1, true, false, false, false);
    lock(noClickCanvas, true, true, true, false);
    ListBox1->installEventFilter(this);  // its columns follow its width

    // A window too narrow for the headings in the desktop's font starts wider (the three score
    // columns are equal, so each needs the widest heading's room).
    int widest = 0;
    for (int c = 1; c < 4; ++c) widest = std::max(widest, fw::columnNeed(ListBox1, c));
    const int headings = fw::columnNeed(ListBox1, 0) + 3 * widest;
    const int chrome = 2 * ListBox1->frameWidth() + ListBox1->verticalScrollBar()->sizeHint().width() - 2;
    content()->setMinimumWidth(std::max(355, headings + chrome));
    content()->setMaximumWidth(std::max(500, headings + chrome));
    // The window itself is held to its content's limits, so that the window manager's size hints
    // carry them: no wider than the table may grow.
    layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
}

void playerListWindow::Open() {
    gameWindow* main = gameWindow::get();
    placeAt(QPoint(main->x() + main->frameGeometry().width() + 20, main->y()));
}

bool playerListWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ListBox1 && e->type() == QEvent::Resize) layOutColumns();
    return fw::Window::eventFilter(watched, e);
}

void playerListWindow::layOutColumns() {
    // "30%" for the names; the other three columns share the rest, none narrower than its heading.
    // The viewport itself is resized only once the window shows, so its width is taken from the list's.
    const int inner = ListBox1->maximumViewportSize().width();
    int first = inner * 30 / 100;
    int other = (inner - first) / 3;
    int widest = 0;
    for (int c = 1; c < 4; ++c) widest = std::max(widest, fw::columnNeed(ListBox1, c));
    if (other < widest) {
        other = widest;
        first = std::max(inner - 3 * other, fw::columnNeed(ListBox1, 0));
    }
    ListBox1->setColumnWidth(0, first);
    for (int c = 1; c < 4; ++c) ListBox1->setColumnWidth(c, other);
}

void playerListWindow::closeEvent(QCloseEvent* e) {
    // The window has no close box, and a close asked for through the desktop is refused too. The
    // game itself closes the window with Close() at the end of a game.
    e->ignore();
}

void playerListWindow::updateScores() {
    const int last = ListBox1->topLevelItemCount() - 1;
    const int turnTotal = gTurnScore + gameWindow::get()->playingSurface->currentPointsSaved;
    for (int i = 0; i <= last; ++i) {
        QTreeWidgetItem* row = ListBox1->topLevelItem(i);
        QFont font = ListBox1->font();
        const bool onTurn = i == gCurrentPlayer - 1;
        font.setBold(onTurn);
        row->setFont(0, font);
        row->setText(1, onTurn ? fw::Str(gRollScore) : QStringLiteral("-"));
        row->setText(2, onTurn ? fw::Str(turnTotal) : QStringLiteral("-"));
        // A row without a player (the lists changed under the game) shows no total.
        row->setText(3, i + 1 <= gPlayerList.ubound() && gPlayerList[i + 1]
                            ? fw::Str(gPlayerList(i + 1).score)
                            : QString());
        fw::yieldToEventLoop();
    }
    // A long roster scrolls so that the player on turn is in sight.
    if (gCurrentPlayer >= 1 && gCurrentPlayer <= ListBox1->topLevelItemCount())
        ListBox1->scrollToItem(ListBox1->topLevelItem(gCurrentPlayer - 1));
    ListBox1->viewport()->update();
}
