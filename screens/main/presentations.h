#pragma once
// The three presentation buttons of the main screen. The settings page copies each file into
// "\ppt\" and stores its caption and bare file name in "\config\PPT.ini"; the button opens the
// file with the desktop's program for its type and does not wait for that program.

#include <QString>

#include "foundation/main_profile.h"
#include "foundation/platform/platform.h"

inline const QString kPresentationMissing = QStringLiteral("没有找到相应的演示文件，请重新导入！");

QString PresentationCaption(const QString& appDir, int k);

// The file of presentation k as it lies in "\ppt\", found without regard to letter case; the
// empty text when no name is stored, the name is not a bare file name, or no such file exists.
QString FindPresentationFile(const QString& appDir, int k);

// Button k: hands the file to the desktop, or shows kPresentationMissing and does nothing
// else. True when the file was found (whether or not the desktop could open it), which is
// when the caller stops its music.
bool OpenPresentation(AppContext& context, int k);
