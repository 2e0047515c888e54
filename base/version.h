#pragma once
#include <QString>

// The application's version, from the CMake project version.
namespace version {
int MajorVersion();
int MinorVersion();
int BugVersion();
QString ShortVersion();  // "1.0.0"
QString LongVersion();   // "Version 1.0.0"
}  // namespace version
