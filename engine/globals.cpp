#include "engine/globals.h"

namespace globalsModule {

fw::ObjList<dieClass> dice;
fw::ObjList<playerClass> gPlayerList;
fw::ObjList<playerClass> gCompletePlayerList;
fw::List<QString> gComputerList;

int gRollScore = 0;
int gTurnScore = 0;
int gCurrentPlayer = 0;
int gTurnNumber = 0;
int gFirstPlayer = 0;
int gIndentLevel = 0;
int gRoundSize = 0;

void createArrays() {
    dice = fw::ObjList<dieClass>(6);
    gPlayerList = fw::ObjList<playerClass>(0);
    gCompletePlayerList = fw::ObjList<playerClass>(0);
    gComputerList = fw::List<QString>(5);
    gRollScore = gTurnScore = gCurrentPlayer = gTurnNumber = gFirstPlayer = gIndentLevel = gRoundSize = 0;
}

void init() {
    for (int i = 1; i <= 6; ++i) {
        dice.put(i, std::make_shared<dieClass>());
        dice(i).x = -100;
        dice(i).y = -100;
    }
    initComputerList();
}

const QStringList& kindNames() {
    static const QStringList names = {QStringLiteral("Human"),       QStringLiteral("CPU: Dumb"),
                                      QStringLiteral("CPU: Clever"), QStringLiteral("CPU: Crafty"),
                                      QStringLiteral("CPU: Wicked"), QStringLiteral("CPU: Evil")};
    return names;
}

void initComputerList() {
    for (int kind = 0; kind < kindNames().size(); ++kind) gComputerList[kind] = kindNames()[kind];
}

playerClass* playerAt(int i) {
    if (i < 1 || i > gPlayerList.ubound() || !gPlayerList[i]) return nullptr;
    return &gPlayerList(i);
}

}  // namespace globalsModule
