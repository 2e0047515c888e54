#pragma once
#include <QIcon>

// The game's icon, carried by every window: 64 x 64 pixels with a twice-size twin for dense screens.
QIcon gameIcon();
