#include "foundation/widgets/volume_bar.h"

#include "foundation/cues.h"

QScrollBar* NewVolumeBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent,
                         int designed) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(objectName);
    bar->setRange(kMinVolume, kMaxVolume);
    bar->setSingleStep(2);
    bar->setPageStep(5);
    bar->setValue(designed);
    bar->setTracking(false);
    return bar;
}
