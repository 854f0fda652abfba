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

SoundChooser::SoundChooser(WizardWindow* page, SoundChooserSetup setup, MediaPlayer* player)
    : QObject(page),
      page_(page),
      setup_(std::move(setup)),
      player_(player),
      box_(new QComboBox(page)),
      dialog_(page->context().platform->NewFileOpenDialog(page)) {
    box_->setObjectName(setup_.boxName);
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->addItems({CueChoice::Default, CueChoice::None, CueChoice::UserDefined});
    box_->setCurrentIndex(-1);
    // Only an entry chosen from the list counts; typed text writes nothing.
    connect(box_, &QComboBox::activated, this, &SoundChooser::choose);
}

SoundChooser::~SoundChooser() = default;

void SoundChooser::setProfile(const QString& profile) {
    setup_.profile = profile;
}

void SoundChooser::load() {
    const QString profile = AppPath(page_->context().appDir, setup_.profile);
    const auto read = [&](const QString& key) {
        return setup_.profile.isEmpty() ? QString()
                                        : ReadProfileString(profile, setup_.section, key);
    };
    const QString choice = read(setup_.cue.choiceKey);
    box_->setEditText(choice);
    setMissing(choice == CueChoice::UserDefined &&
               !StoredFilePresent(page_->context().appDir, setup_.cue.userFolder,
                                  read(setup_.cue.customKey)));
}

void SoundChooser::choose(int index) {
    const QString choice = box_->itemText(index);
    const QString appDir = page_->context().appDir;
    if (choice == CueChoice::Default) {
        preview(AppPath(appDir, setup_.cue.defaultFile));
        setMissing(false);
    } else if (choice == CueChoice::None) {
        if (player_) {
            player_->setURL(QString());
        }
        setMissing(false);
    } else if (choice == CueChoice::UserDefined) {
        if (setup_.profile.isEmpty()) {
            page_->message(noProfileMessage_);
            setMissing(true);
            return;
        }
        const ImportOutcome outcome = ImportIntoFolder(
            page_, *dialog_, setup_.filter,
            {setup_.profile, setup_.section, setup_.cue.customKey, setup_.cue.userFolder});
        setMissing(outcome.kind != ImportOutcome::Imported);
        if (outcome.kind == ImportOutcome::Imported) {
            preview(outcome.picked);
        }
    }
    if (!setup_.profile.isEmpty()) {
        page_->writeAtOnce(setup_.profile, setup_.section, setup_.cue.choiceKey, choice);
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
