#include "screens/settings/sound_chooser.h"

#include <QComboBox>
#include <QLineEdit>

#include "foundation/paths.h"
#include "foundation/platform/media_player.h"
#include "foundation/profile_store.h"
#include "foundation/stored_files.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/import_into_folder.h"
#include "screens/settings/wizard_window.h"

SoundChooser::SoundChooser(WizardWindow* page, SoundChooserSpec spec, MediaPlayer* player)
    : QObject(page),
      page_(page),
      spec_(std::move(spec)),
      player_(player),
      box_(new QComboBox(page)),
      dialog_(page->context().platform->NewFileOpenDialog(page)) {
    box_->setObjectName(spec_.boxName);
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->addItems({CueChoice::Default, CueChoice::None, CueChoice::UserDefined});
    box_->setCurrentIndex(-1);
    // Only an entry chosen from the list counts; typed text writes nothing.
    connect(box_, &QComboBox::activated, this, &SoundChooser::choose);
}

SoundChooser::~SoundChooser() = default;

void SoundChooser::setProfile(const QString& profile) {
    spec_.profile = profile;
}

void SoundChooser::load() {
    const QString profile = AppPath(page_->context().appDir, spec_.profile);
    const auto read = [&](const QString& key) {
        return spec_.profile.isEmpty() ? QString() : ReadProfileString(profile, spec_.section, key);
    };
    const QString choice = read(spec_.cue.choiceKey);
    box_->setEditText(choice);
    setMissing(choice == CueChoice::UserDefined &&
               !StoredFilePresent(page_->context().appDir, spec_.cue.userFolder,
                                  read(spec_.cue.customKey)));
}

void SoundChooser::choose(int index) {
    const QString choice = box_->itemText(index);
    const QString appDir = page_->context().appDir;
    if (choice == CueChoice::Default) {
        preview(AppPath(appDir, spec_.cue.defaultFile));
        setMissing(false);
    } else if (choice == CueChoice::None) {
        if (player_) {
            player_->setURL(QString());
        }
        setMissing(false);
    } else if (choice == CueChoice::UserDefined) {
        if (spec_.profile.isEmpty()) {
            page_->message(noProfileMessage_);
            setMissing(true);
            return;
        }
        const ImportOutcome outcome = ImportIntoFolder(
            page_, *dialog_, spec_.filter,
            {spec_.profile, spec_.section, spec_.cue.customKey, spec_.cue.userFolder});
        setMissing(outcome.kind != ImportOutcome::Imported);
        if (outcome.kind == ImportOutcome::Imported) {
            preview(outcome.picked);
        }
    }
    if (!spec_.profile.isEmpty()) {
        page_->writeAtOnce(spec_.profile, spec_.section, spec_.cue.choiceKey, choice);
    }
}

void SoundChooser::preview(const QString& path) {
    if (player_) {
        player_->setURL(path);
    } else {
        page_->context().platform->Wave().PlayWave(path);
    }
}

void SoundChooser::setMissing(bool missing) {
    const QColor colour = missing ? QColor(Qt::red) : QColor(Qt::black);
    SetTextColour(box_, colour);
    if (QLineEdit* edit = box_->lineEdit()) {
        SetTextColour(edit, colour);
    }
}
