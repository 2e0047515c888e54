#pragma once
#include <QFont>

// The fonts the windows name: "System" is the desktop's general font, "SmallSystem" its small
// variant and "Geneva" a sans-serif.
namespace fonts {
QFont system();
QFont boldSystem();
QFont smallSystem();
QFont geneva();
}  // namespace fonts
