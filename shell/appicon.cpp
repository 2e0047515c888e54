#include "shell/appicon.h"

QIcon gameIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icon/zorvik.png"), QSize(64, 64));
    icon.addFile(QStringLiteral(":/icon/zorvik@2x.png"), QSize(128, 128));
    return icon;
}
