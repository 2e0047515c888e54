#include "update/hp.h"

#include <QWidget>

hp::hp(QWidget* owner) : fw::HTTPSocket(owner) { setObjectName(QStringLiteral("hp")); }
