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
    SetBackgroundColour(this, Qt::white);
}

ColourPreview::~ColourPreview() = default;

quint32 ColourPreview::value() const {
    return ColourValueOf(BackgroundColour(this));
}

void ColourPreview::load(const QString& stored) {
    if (const std::optional<quint32> colour = ReadColourValue(stored)) {
        SetBackgroundColour(this, ColourFromValue(*colour));
    }
}

void ColourPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    dialog_->colour = value();
    if (!dialog_->Show()) {
        return;
    }
    SetBackgroundColour(this, ColourFromValue(dialog_->colour));
    emit chosen(dialog_->colour);
}
