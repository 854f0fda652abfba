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

PictureSlot::PictureSlot(WizardWindow* page, PictureSlotSetup setup)
    : QObject(page),
      page_(page),
      setup_(std::move(setup)),
      box_(new QLineEdit(page)),
      import_(NewButton(page, setup_.importName, SettingsText::ImportButton)),
      remove_(NewButton(page, setup_.removeName, SettingsText::RemoveButton)),
      dialog_(page->context().platform->NewFileOpenDialog(page)) {
    box_->setObjectName(setup_.boxName);
    box_->setReadOnly(true);
    box_->installEventFilter(this);
    connect(import_, &QPushButton::clicked, this, &PictureSlot::importFile);
    connect(remove_, &QPushButton::clicked, this, &PictureSlot::removeFile);
}

PictureSlot::~PictureSlot() = default;

void PictureSlot::setProfile(const QString& profile) {
    setup_.setting.profile = profile;
}

void PictureSlot::refresh() {
    const QString name =
        setup_.setting.profile.isEmpty()
            ? QString()
            : ReadProfileString(AppPath(page_->context().appDir, setup_.setting.profile),
                                setup_.setting.section, setup_.setting.key);
    if (StoredFilePresent(page_->context().appDir, setup_.setting.folder, name)) {
        show(name, false);
    } else {
        show(setup_.missingText, true);
    }
}

void PictureSlot::setEnabled(bool enabled) {
    box_->setEnabled(enabled);
    import_->setEnabled(enabled);
    remove_->setEnabled(enabled);
}

bool PictureSlot::hasProfile() {
    if (!setup_.setting.profile.isEmpty()) {
        return true;
    }
    page_->message(noProfileMessage_);
    return false;
}

void PictureSlot::importFile() {
    if (!hasProfile()) {
        return;
    }
    const ImportOutcome outcome = ImportIntoFolder(page_, *dialog_, setup_.filter, setup_.setting);
    switch (outcome.kind) {
        case ImportOutcome::Imported:
            show(outcome.name, false);
            return;
        case ImportOutcome::Cancelled:
            show(setup_.missingText, true);
            if (setup_.cancelClearsKey) {
                WriteStoredName(page_, setup_.setting, QString());
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
    if (RemoveStoredFile(page_, setup_.setting)) {
        show(setup_.removedText, true);
        emit removed();
    }
}

void PictureSlot::show(const QString& text, bool missing) {
    box_->setText(text);
    box_->setCursorPosition(0);
    SetTextColour(box_, missing ? QColor(Qt::red) : QColor(Qt::black));
}

bool PictureSlot::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || !setup_.previews) {
        return QObject::eventFilter(watched, event);
    }
    // Entering the box is enough: the picture does not change while the mouse stays on it.
    // Leaving it ends the preview even where a frame, not the page background, lies beside it.
    if (event->type() == QEvent::Enter) {
        page_->preview()->ShowPicturePreview(setup_.setting.profile, setup_.setting.section,
                                             setup_.setting.key, setup_.setting.folder, box_);
    } else if (event->type() == QEvent::Leave) {
        page_->preview()->ClosePicturePreview();
    }
    return QObject::eventFilter(watched, event);
}
