#pragma once

#include <QString>

// The user's own program folder, for an installed copy: $XDG_DATA_HOME/debaclock on Linux,
// %APPDATA%\debaclock on Windows (roaming, as a profile's settings are).
QString UserProgramFolder();
