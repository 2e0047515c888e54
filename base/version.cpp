#include "base/version.h"

namespace version {

int MajorVersion() { return ZORVIK_MAJOR; }
int MinorVersion() { return ZORVIK_MINOR; }
int BugVersion() { return ZORVIK_BUG; }

QString ShortVersion() {
    return QStringLiteral("%1.%2.%3").arg(MajorVersion()).arg(MinorVersion()).arg(BugVersion());
}

QString LongVersion() { return QStringLiteral("Version ") + ShortVersion(); }

}  // namespace version
