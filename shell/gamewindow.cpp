#include "shell/gamewindow.h"

#include <QLabel>

#include "base/fonts.h"
#include "engine/board.h"
#include "fw/textfit.h"

namespace {
QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& r,
                const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(r);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Black on the window's own background is the desktop's text colour: the palette's stays.
    return label;
}
}  // namespace

void gameWindow::createControls() {
    setWindowTitle(QStringLiteral("Zorvik!"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    installMenuBar();
    setContentSize(600, 459);
    setFixedSize(size());

    rollButton = new fw::PushButton(QStringLiteral("Roll"), content());
    rollButton->setObjectName(QStringLiteral("rollButton"));
    rollButton->setGeometry(490, 422, 100, 22);
    rollButton->setFont(fonts::boldSystem());
    rollButton->setDefault(true);
    rollButton->action = [this] { rollButton_Action(); };
    setDefaultButton(rollButton);

    playingSurface = new boardClass(content());
    playingSurface->setObjectName(QStringLiteral("playingSurface"));
    playingSurface->setGeometry(11, 28, 579, 381);
    playingSurface->diceRemovedFromShelf = [this](int i) { playingSurface_diceRemovedFromShelf(i); };
    playingSurface->diceAddedToShelf = [this](int i) { playingSurface_diceAddedToShelf(i); };

    Label[0] = caption(content(), QStringLiteral("Label0"), QStringLiteral("Saved Dice:"), {11, 7, 100, 20},
                       fonts::boldSystem());
    Label[1] = caption(content(), QStringLiteral("Label1"), QStringLiteral("Roll Area:"), {206, 7, 100, 20},
                       fonts::boldSystem());

    saveAllButton = new fw::PushButton(QStringLiteral("Save All Scoring Dice"), content());
    saveAllButton->setObjectName(QStringLiteral("saveAllButton"));
    saveAllButton->setGeometry(11, 423, 150, 20);
    saveAllButton->setEnabled(false);
    saveAllButton->action = [this] { saveAllButton_Action(); };

    stopButton = new fw::PushButton(QStringLiteral("Stop Rolling"), content());
    stopButton->setObjectName(QStringLiteral("stopButton"));
    stopButton->setGeometry(368, 423, 110, 20);
    stopButton->setEnabled(false);
    stopButton->action = [this] { stopButton_Action(); };

    debug = caption(content(), QStringLiteral("debug"), QString(), {173, 419, 195, 33}, fonts::smallSystem());
    debug->setWordWrap(true);

    const auto gate = [this] { return personMayAct(); };
    rollButton->personGate = gate;
    saveAllButton->personGate = gate;
    stopButton->personGate = gate;
    playingSurface->personGate = [this] { return personMayAct() && !firstRoll; };
    playingSurface->Open();

    lock(rollButton, true, false, false, true);
    lock(playingSurface, true, true, true, true);
    // Room for the texts in a large desktop font, short of the neighbour on the right.
    fw::widenToFit(Label[0], Label[1]->x());
    fw::widenToFit(Label[1], 590);
    fw::widenToFit(saveAllButton, debug->x());
    fw::widenToFit(stopButton, rollButton->x() - 4);
    fw::widenToFit(rollButton, 596);
}

void gameWindow::Open() { placeAt(QPoint(8, 45)); }
