#include "shell/gamesettingswindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <limits>

#include "base/fonts.h"
#include "engine/globals.h"
#include "fw/text.h"
#include "fw/textfit.h"
#include "shell/app.h"
#include "shell/menu.h"

namespace {
// Names of any length: Qt's fields stop at 32 767 characters by default.
constexpr int kAnyLength = std::numeric_limits<int>::max();

// Only the names (column 1) are edited in place; the kind is chosen with the popup.
class NameOnlyDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 1) return nullptr;
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(kAnyLength);
        return editor;
    }
};

QFont plainSystem() {
    QFont f = fonts::system();
    f.setBold(false);  // set explicitly, so that a bold group box does not pass its weight on
    return f;
}

QLabel* label(QWidget* parent, int index, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label%1").arg(index));
    l->setFont(fonts::boldSystem());
    // A bold caption wider than its place in this desktop's font grows to the right, not clipped;
    // the controls' column makes room for it.
    l->setGeometry(r.x(), r.y(), std::max(r.width(), l->sizeHint().width()), r.height());
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

fw::PushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& r) {
    auto* b = new fw::PushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setFont(plainSystem());
    return b;
}

QComboBox* popup(QWidget* parent, const QString& name, const QStringList& items, const QRect& r) {
    auto* p = new QComboBox(parent);
    p->setObjectName(name);
    p->addItems(items);
    p->setCurrentIndex(0);
    p->setFont(plainSystem());
    p->setGeometry(r);
    return p;
}
}  // namespace

void gameSettingsWindow::createControls() {
    setWindowTitle(QStringLiteral("New Game Settings"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QWidget* c = content();

    GroupBox1 = new QGroupBox(QStringLiteral("Players"), c);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(fonts::boldSystem());

    // The group's children stand at their window places less the group's corner (13, 13).
    Label[0] = label(c, 0, QStringLiteral("Round Length:"), {13, 252, 100, 20});
    Label[1] = label(GroupBox1, 1, QStringLiteral("Player Name:"), {21 - 13, 143 - 13, 85, 20});
    Label[2] = label(GroupBox1, 2, QStringLiteral("Player Type:"), {21 - 13, 174 - 13, 85, 20});

    // The controls stand in a column at x 121, at least 4 px right of every caption: a large desktop
    // font moves the column right and widens the dialog by as much.
    int shift = 0;
    for (QLabel* l : Label) shift = std::max(shift, l->mapTo(c, QPoint(l->width() + 4, 0)).x() - 121);
    const int col = 121 + shift;
    setContentSize(300 + shift, 331);
    GroupBox1->setGeometry(13, 13, 274 + shift, 227);
    GroupBox1->lower();  // the list, the field and the Add button stand over the frame

    playerListBox = new QTreeWidget(c);
    playerListBox->setObjectName(QStringLiteral("playerListBox"));
    playerListBox->setGeometry(21, 34, 255 + shift, 98);
    playerListBox->setFont(fonts::smallSystem());
    playerListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    playerListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    playerListBox_Open();

    addButton =
        button(c, QStringLiteral("addButton"), QStringLiteral("Add This Player"), {col, 208, 150, 20});
    addButton->action = [this] { addButton_Action(); };

    nameField = new QLineEdit(c);
    nameField->setObjectName(QStringLiteral("nameField"));
    nameField->setGeometry(col, 143, 155, 22);
    nameField->setFont(plainSystem());
    nameField->setMaxLength(kAnyLength);
    connect(nameField, &QLineEdit::textChanged, this, [this] {
        fw::HandlerScope scope;
        nameField_TextChange();
    });

    okayButton =
        button(c, QStringLiteral("okayButton"), QStringLiteral("Start Game"), {187 + shift, 298, 100, 20});
    okayButton->setDefault(true);
    okayButton->action = [this] { okayButton_Action(); };
    setDefaultButton(okayButton);

    cancelButton = button(c, QStringLiteral("cancelButton"), QStringLiteral("Cancel"), {13, 298, 100, 20});
    cancelButton->action = [this] { cancelButton_Action(); };
    setCancelButton(cancelButton);

    roundSizePopup = popup(c, QStringLiteral("roundSizePopup"),
                           {QStringLiteral("1000"), QStringLiteral("5000"), QStringLiteral("10000"),
                            QStringLiteral("20000"), QStringLiteral("35000"), QStringLiteral("50000")},
                           {col, 253, 100, 19});

    playerKindPopup = popup(GroupBox1, QStringLiteral("playerKindPopup"), globalsModule::kindNames(),
                            {col - 13, 174 - 13, 155, 20});
    connect(playerKindPopup, &QComboBox::currentIndexChanged, this, [this] {
        fw::HandlerScope scope;
        playerKindPopup_Change();
    });

    // A dialog: Tab reaches every control, its buttons too, from the top down; typing starts in the
    // name field.
    fw::widenToFit(addButton, playerListBox->x() + playerListBox->width());
    fw::widenToFit(cancelButton, okayButton->x() - 4);
    setButtonsTakeFocus(true);
    const QList<QWidget*> order = {playerListBox,  nameField,    playerKindPopup, addButton,
                                   roundSizePopup, cancelButton, okayButton};
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    nameField->setFocus();
}

void gameSettingsWindow::playerListBox_Open() {
    QTreeWidget* list = playerListBox;
    list->setColumnCount(3);
    list->setHeaderLabels({QStringLiteral("Playing"), QStringLiteral("Name"), QStringLiteral("Kind")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::SelectedClicked);
    list->setItemDelegate(new NameOnlyDelegate(list));
    list->setDragEnabled(false);
    list->setSortingEnabled(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->header()->setStretchLastSection(false);
    // "20%,50%,30%" of the width inside the frame and the scroll bar; the check boxes and every
    // kind name keep their room in a large desktop font, the names take what is left.
    const int inner = list->width() - 2 * list->frameWidth() - list->verticalScrollBar()->sizeHint().width();
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list) +
                    list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int playing = std::max(inner * 20 / 100, fw::columnNeed(list, 0, {QString()}, box));
    const int kind = std::max(inner - inner * 20 / 100 - inner * 50 / 100,
                              fw::columnNeed(list, 2, globalsModule::kindNames()));
    list->setColumnWidth(0, playing);
    list->setColumnWidth(1, std::max(inner - playing - kind, fw::columnNeed(list, 1)));
    list->setColumnWidth(2, kind);

    list->installEventFilter(this);
    connect(list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        fw::HandlerScope scope;
        playerListBox_CellAction(playerListBox->indexOfTopLevelItem(item), column);
    });
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this] {
        fw::HandlerScope scope;
        playerListBox_Change();
    });
}

void gameSettingsWindow::Open() {
    loadValues();
    okayButton->setEnabled(enoughPlayers());
    addButton->setEnabled(nameField->text().length() > 0);
}

bool gameSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playerListBox && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        fw::HandlerScope scope;
        playerListBox_KeyDown(key->key() == Qt::Key_Backspace ? fw::Chr(8) : key->text());
    }
    return fw::Window::eventFilter(watched, event);
}

void gameSettingsWindow::EnableMenuItems() {
    FileQuit()->setEnabled(true);
    HelpInstructions()->setEnabled(true);
}
