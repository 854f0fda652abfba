#include "foundation/widgets/controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "foundation/cues.h"

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* NewCheckBox(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* NewTextBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QFrame* NewLine(QWidget* parent, const QString& name) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    return line;
}

QPushButton* NewStripButton(QWidget* parent, const QString& name, const QString& caption) {
    QPushButton* button = NewButton(parent, name, caption);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QGroupBox* NewStripFrame(QWidget* parent, const QString& name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setBackgroundRole(QPalette::Button);
    frame->setAutoFillBackground(true);
    return frame;
}

QScrollBar* SetUpVolumeBar(QScrollBar* bar, const QString& name, int designed) {
    bar->setObjectName(name);
    bar->setRange(kMinVolume, kMaxVolume);
    bar->setSingleStep(2);
    bar->setPageStep(5);
    bar->setValue(designed);
    bar->setTracking(false);
    return bar;
}
