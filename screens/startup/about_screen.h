#pragma once
// The about window `Form21` ("关于该软件"): the designed picture with the program's version
// and completion date over it.

#include <QList>

#include "screens/startup/information_window.h"

class QLabel;
class StretchedPicture;

inline const QString kVersionLinePrefix = QStringLiteral("版 本：");
inline const QString kCompletionDateLine = QStringLiteral("完成日期：2012-10-17");

class Form21 : public InformationWindow {
    Q_OBJECT
  public:
    explicit Form21(AppContext& context, QWidget* parent = nullptr);

    StretchedPicture* Image1 = nullptr;
    // `Label2(0)` the version, `Label2(1)` the completion date; object names "Label2_0" and
    // "Label2_1".
    QList<QLabel*> Label2;
};
