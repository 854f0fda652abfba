#include "screens/settings/colour_preview.h"

#include "foundation/platform/colours.h"
#include "foundation/platform/dialogs.h"
#include "foundation/values.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/settings_texts.h"
#include "screens/settings/wizard_window.h"

ColourPreview::ColourPreview(WizardWindow* page, const QString& name, const QString& toolTip)
    : QLabel(SettingsText::ColourPreview, page),
      dialog_(page->context().platform->NewColourDialog(page)) {
    setObjectName(name);
    setToolTip(toolTip);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    show(Qt::white);
}

ColourPreview::~ColourPreview() = default;

quint32 ColourPreview::value() const {
    return ColourValueOf(BackgroundColour(this));
}

void ColourPreview::load(const QString& stored) {
    if (const std::optional<quint32> colour = ReadColourValue(stored)) {
        show(ColourFromValue(*colour));
    }
}

void ColourPreview::show(const QColor& colour) {
    SetBackgroundColour(this, colour);
    // The caption stays readable on a dark colour.
    SetTextColour(this, colour.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black));
}

void ColourPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    dialog_->colour = value();
    if (!dialog_->Show()) {
        return;
    }
    show(ColourFromValue(dialog_->colour));
    emit chosen(dialog_->colour);
}
