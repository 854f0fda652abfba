#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <QDir>

#include "foundation/user_folder.h"

// Qt's generic data place on Windows is the local (non-roaming) one; the program's settings
// follow the user, so the roaming folder is asked for by its id.
QString UserProgramFolder() {
    PWSTR roaming = nullptr;
    QString folder;
    if (SUCCEEDED(
            SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming))) {
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(roaming));
    }
    CoTaskMemFree(roaming);
    if (folder.isEmpty()) {
        folder = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    }
    return folder + QStringLiteral("/debaclock");
}
