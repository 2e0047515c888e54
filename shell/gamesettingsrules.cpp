// The new-game dialog's rules: the roster in its list, "Start Game" and "Cancel".
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/text.h"
#include "shell/gamesettingswindow.h"
#include "shell/playerlistwindow.h"

using namespace globalsModule;

namespace {
constexpr Qt::ItemFlags kRowFlags =
    Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEditable;

QTreeWidgetItem* newRow(QTreeWidget* list) {
    auto* row = new QTreeWidgetItem;
    row->setFlags(kRowFlags);
    list->addTopLevelItem(row);
    return row;
}

QString kindName(int kind) { return gComputerList[kind >= 0 && kind <= gComputerList.ubound() ? kind : 0]; }
}  // namespace

int gameSettingsWindow::listIndex() const {
    const auto selected = playerListBox->selectedItems();
    return selected.isEmpty() ? -1 : playerListBox->indexOfTopLevelItem(selected.first());
}

void gameSettingsWindow::loadValues() {
    // The rows are filled apart from the list and join it at once. Filled in the list, each cell
    // would raise the list's CellAction, which counts every row: a roster of n took n * n passes.
    // Open enables "Start Game" from the full list afterwards, as those handlers would have left it.
    std::vector<std::unique_ptr<QTreeWidgetItem>> filled;
    filled.reserve(size_t(std::max(gCompletePlayerList.ubound(), 0)));
    for (int i = 1; i <= gCompletePlayerList.ubound(); ++i) {
        const playerClass& p = gCompletePlayerList(i);
        auto row = std::make_unique<QTreeWidgetItem>();
        row->setFlags(kRowFlags);
        row->setCheckState(0, p.active ? Qt::Checked : Qt::Unchecked);
        row->setText(1, p.name);
        row->setText(2, kindName(p.human));
        filled.push_back(std::move(row));
        fw::yieldToEventLoop();
    }
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(filled.size()));
    for (auto& row : filled) rows << row.release();
    playerListBox->addTopLevelItems(rows);
    choosePopup(roundSizePopup, fw::Str(gRoundSize));
}

void gameSettingsWindow::buildPlayerLists() {
    QTreeWidget* scores = playerListWindow::get()->ListBox1;
    scores->clear();
    // The rows are read before the loop that yields: a row removed meanwhile is never read.
    std::vector<std::shared_ptr<playerClass>> roster;
    for (int r = 0; r < playerListBox->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = playerListBox->topLevelItem(r);
        auto p = std::make_shared<playerClass>();
        p->active = row->checkState(0) == Qt::Checked;
        p->human = std::max(gComputerList.indexOf(row->text(2)), 0);
        p->name = row->text(1);
        roster.push_back(std::move(p));
    }
    const int n = int(roster.size());
    gCompletePlayerList.redim(n);
    gPlayerList.redim(0);
    int k = 0;
    for (int r = 0; r < n; ++r) {
        const auto& p = roster[size_t(r)];
        gCompletePlayerList.put(r + 1, p);
        if (p->active) {
            ++k;
            gPlayerList.redim(k);
            auto player = std::make_shared<playerClass>();
            player->human = p->human;
            player->name = p->name;
            gPlayerList.put(k, player);
            auto* scoreRow = new QTreeWidgetItem(scores, {player->name});
            scoreRow->setText(1, fw::Str(player->score));
        }
        fw::yieldToEventLoop();
    }
}

bool gameSettingsWindow::enoughPlayers() {
    int count = 0;
    for (int r = 0; r < playerListBox->topLevelItemCount(); ++r) {
        if (playerListBox->topLevelItem(r)->checkState(0) == Qt::Checked) ++count;
        fw::yieldToEventLoop();
    }
    return count > 1;
}

void gameSettingsWindow::choosePopup(QComboBox* popup, const QString& text) {
    for (int i = 0; i < popup->count(); ++i) {
        if (fw::textEquals(popup->itemText(i), text)) {
            popup->setCurrentIndex(i);
            return;
        }
        fw::yieldToEventLoop();
    }
}

void gameSettingsWindow::playerListBox_Change() {
    const int selected = listIndex();
    choosePopup(playerKindPopup,
                selected > -1 ? playerListBox->topLevelItem(selected)->text(2) : QStringLiteral("Human"));
}

// Only the row changes: the players of a running game are rebuilt by "Start Game" alone.
void gameSettingsWindow::playerKindPopup_Change() {
    const int selected = listIndex();
    if (selected > -1) playerListBox->topLevelItem(selected)->setText(2, playerKindPopup->currentText());
}

void gameSettingsWindow::playerListBox_CellAction(int row, int column) {
    Q_UNUSED(row);
    Q_UNUSED(column);
    okayButton->setEnabled(enoughPlayers());
}

bool gameSettingsWindow::playerListBox_KeyDown(const QString& key) {
    const int selected = listIndex();
    if (selected > -1 && key == fw::Chr(8)) {
        delete playerListBox->takeTopLevelItem(selected);
        // Qt would select the next row, and a held Backspace would empty the roster row by row.
        playerListBox->setCurrentItem(nullptr);
        okayButton->setEnabled(enoughPlayers());
    }
    return false;
}

void gameSettingsWindow::nameField_TextChange() { addButton->setEnabled(nameField->text().length() > 0); }

void gameSettingsWindow::addButton_Action() {
    QTreeWidgetItem* row = newRow(playerListBox);
    row->setCheckState(0, Qt::Checked);
    row->setText(2, playerKindPopup->currentText());
    row->setText(1, nameField->text());
    nameField->clear();
    // The emptied field disabled the button, and a disabled button hands the focus on: the next
    // name is typed at once.
    nameField->setFocus(Qt::OtherFocusReason);
    okayButton->setEnabled(enoughPlayers());
}

void gameSettingsWindow::okayButton_Action() {
    buildPlayerLists();
    gRoundSize = fw::ValInt(roundSizePopup->currentText());
    savePrefs();
    startNewGame();
}

void gameSettingsWindow::cancelButton_Action() {
    // A game in progress keeps its round length: after a failed save the file holds an older one.
    const int roundSize = gRoundSize;
    loadPrefs();
    if (gPlayerList.ubound() > 0) gRoundSize = roundSize;
    Close();
}
