#include "update/hp.h"

#include <QWidget>

hp::hp(QWidget* owner) : fw::HTTPSocket(owner), ownerWindow(owner) { setObjectName(QStringLiteral("hp")); }
