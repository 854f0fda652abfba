#include "screens/settings/picture_slot.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/import_into_folder.h"
#include "screens/settings/picture_preview.h"
#include "screens/settings/settings_texts.h"
#include "screens/settings/wizard_window.h"

PictureSlot::PictureSlot(WizardWindow* page, PictureSlotSpec spec)
    : QObject(page),
      page_(page),
      spec_(std::move(spec)),
      box_(new QLineEdit(page)),
      import_(NewButton(page, spec_.importName, SettingsText::ImportButton)),
      remove_(NewButton(page, spec_.removeName, SettingsText::RemoveButton)),
      dialog_(page->context().platform->NewFileOpenDialog(page)) {
    box_->setObjectName(spec_.boxName);
    box_->setReadOnly(true);
    box_->installEventFilter(this);
    connect(import_, &QPushButton::clicked, this, &PictureSlot::importFile);
    connect(remove_, &QPushButton::clicked, this, &PictureSlot::removeFile);
}

PictureSlot::~PictureSlot() = default;

void PictureSlot::setProfile(const QString& profile) {
    spec_.setting.profile = profile;
}

void PictureSlot::refresh() {
    const QString name =
        spec_.setting.profile.isEmpty()
            ? QString()
            : ReadProfileString(AppPath(page_->context().appDir, spec_.setting.profile),
                                spec_.setting.section, spec_.setting.key);
    if (StoredFilePresent(page_->context().appDir, spec_.setting.folder, name)) {
        show(name, false);
    } else {
        show(spec_.missingText, true);
    }
}

void PictureSlot::setEnabled(bool enabled) {
    box_->setEnabled(enabled);
    import_->setEnabled(enabled);
    remove_->setEnabled(enabled);
}

bool PictureSlot::hasProfile() {
    if (!spec_.setting.profile.isEmpty()) {
        return true;
    }
    page_->message(noProfileMessage_);
    return false;
}

void PictureSlot::importFile() {
    if (!hasProfile()) {
        return;
    }
    const ImportOutcome outcome = ImportIntoFolder(page_, *dialog_, spec_.filter, spec_.setting);
    switch (outcome.kind) {
        case ImportOutcome::Imported:
            show(outcome.name, false);
            return;
        case ImportOutcome::Cancelled:
            show(spec_.missingText, true);
            if (spec_.cancelClearsKey) {
                page_->writeAtOnce(spec_.setting.profile, spec_.setting.section, spec_.setting.key,
                                   QString());
            }
            return;
        case ImportOutcome::Failed:
            refresh();
            return;
    }
}

void PictureSlot::removeFile() {
    if (!hasProfile()) {
        return;
    }
    if (RemoveStoredFile(page_, spec_.setting)) {
        show(spec_.removedText, true);
        emit removed();
    }
}

void PictureSlot::show(const QString& text, bool missing) {
    box_->setText(text);
    box_->setCursorPosition(0);
    SetTextColour(box_, missing ? QColor(Qt::red) : QColor(Qt::black));
}

bool PictureSlot::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || !spec_.previews) {
        return QObject::eventFilter(watched, event);
    }
    // Entering the box is enough: the picture does not change while the mouse stays on it.
    // Leaving it ends the preview even where a frame, not the page background, lies beside it.
    if (event->type() == QEvent::Enter) {
        page_->preview()->ShowPicturePreview(spec_.setting.profile, spec_.setting.section,
                                             spec_.setting.key, spec_.setting.folder, box_);
    } else if (event->type() == QEvent::Leave) {
        page_->preview()->ClosePicturePreview();
    }
    return QObject::eventFilter(watched, event);
}
