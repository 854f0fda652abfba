#include "foundation/user_folder.h"

#include <QStandardPaths>

QString UserProgramFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/debaclock");
}
