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

void initComputerList() {
    gComputerList[0] = QStringLiteral("Human");
    gComputerList[1] = QStringLiteral("CPU: Dumb");
    gComputerList[2] = QStringLiteral("CPU: Clever");
    gComputerList[3] = QStringLiteral("CPU: Crafty");
    gComputerList[4] = QStringLiteral("CPU: Wicked");
    gComputerList[5] = QStringLiteral("CPU: Evil");
}

}  // namespace globalsModule
