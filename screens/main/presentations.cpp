#include "screens/main/presentations.h"

#include <QFileInfo>

#include "foundation/foundation.h"

QString PresentationCaption(const QString& appDir, int k) {
    return ReadProfileString(AppPath(appDir, kPresentationProfile), kConfigSection,
                             PresentationCaptionKey(k));
}

QString FindPresentationFile(const QString& appDir, int k) {
    const QString name = ReadProfileString(AppPath(appDir, kPresentationProfile), kConfigSection,
                                           PresentationFileKey(k));
    // Resolved without regard to letter case, so the name on disk may be written differently.
    const QString path = StoredFilePath(appDir, kPresentationFolder, name);
    // A folder of that name is not the presentation.
    return QFileInfo(path).isFile() ? path : QString();
}

bool OpenPresentation(AppContext& context, int k) {
    const QString file = FindPresentationFile(context.appDir, k);
    if (file.isEmpty()) {
        context.platform->Messages().Show(kPresentationMissing);
        return false;
    }
    // A refusal by the desktop goes unreported, as every other failure here.
    context.platform->Desktop().Open(file);
    return true;
}
