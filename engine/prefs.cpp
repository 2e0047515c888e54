// Placeholder until the preferences file lands.
#include "engine/globals.h"

namespace globalsModule {
void savePrefs() {}
void loadPrefs() {}
bool returnBValue(const QString&) { return false; }
}  // namespace globalsModule
