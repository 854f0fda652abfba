#pragma once
// Data paths are written as AppDir + "\folder\file" with several letter cases for one file;
// on Linux they are resolved component by component without regard to letter case.

#include <QString>

// Turns backslashes into '/', then replaces every component that does not exist exactly by
// the entry of its folder that matches it without regard to letter case. Components that
// match nothing are kept as written (so a file can still be created there).
QString ResolvePath(const QString& path);

// ResolvePath(appDir + relative), where relative begins with a backslash.
QString AppPath(const QString& appDir, const QString& relative);
