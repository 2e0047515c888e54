#include <QApplication>

#include "engine/globals.h"
#include "shell/playerlistwindow.h"

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    globalsModule::createArrays();
    globalsModule::init();
    playerListWindow::get()->Show();
    return a.exec();
}
