#include "form1.h"

#include <QVBoxLayout>

#include "qt_control_system.h"

Form1::Form1() : P1(new QProgressBar(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kToolTitle));
    P1->setObjectName(QStringLiteral("P1"));
    P1->setAccessibleName(QStringLiteral("qtbase_zh_CN.qm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(P1);
    setFixedSize(420, 80);
}
