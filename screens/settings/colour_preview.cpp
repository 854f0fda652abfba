#include "screens/settings/colour_preview.h"

#include "foundation/platform/colours.h"
#include "foundation/platform/dialogs.h"
#include "foundation/profile_store.h"
#include "foundation/values.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/settings_texts.h"
#include "screens/settings/wizard_window.h"

ColourPreview::ColourPreview(WizardWindow* page, const QString& name, const QString& toolTip)
    : QLabel(page), dialog_(page->context().platform->NewColourDialog(page)) {
    setObjectName(name);
    setToolTip(toolTip);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    show(std::nullopt);
}

ColourPreview::~ColourPreview() = default;

void ColourPreview::load(const QString& stored) {
    show(ReadColourValue(stored));
}

void ColourPreview::saveTo(ProfileSave& save, const QString& section, const QString& key,
                           const QString& file) const {
    if (!colour_) {
        return;
    }
    if (file.isEmpty()) {
        save.write(section, key, QString::number(*colour_));
    } else {
        save.writeTo(file, section, key, QString::number(*colour_));
    }
}

void ColourPreview::show(std::optional<quint32> colour) {
    colour_ = colour;
    if (!colour) {
        // Red, as every setting not chosen yet is on these pages.
        setText(SettingsText::NoColour);
        setPalette(QPalette());
        setAutoFillBackground(false);
        SetTextColour(this, Qt::red);
        return;
    }
    setText(SettingsText::ColourPreview);
    const QColor shown = ColourFromValue(*colour);
    SetBackgroundColour(this, shown);
    // The caption stays readable on a dark colour.
    SetTextColour(this, shown.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black));
}

void ColourPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (colour_) {
        dialog_->colour = *colour_;
    }
    if (!dialog_->Show()) {
        return;
    }
    show(dialog_->colour);
    emit chosen(dialog_->colour);
}
