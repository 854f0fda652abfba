#pragma once
// The import steps of the settings pages: the operator picks a file, it is copied into the
// setting's folder and the setting names it. The copy is made before anything is deleted, the
// file stored before goes only once nothing names it any more, a file another setting names is
// never replaced by different bytes (the new file gets a name of its own), and a name that a
// profile cannot hold exactly is refused, so an import never loses a file or stores another
// name than the operator's.

#include <QString>

#include "foundation/stored_files.h"

class FileOpenDialog;
class WizardWindow;

struct ImportOutcome {
    enum Kind {
        Cancelled,  // no file chosen: nothing changed
        Imported,   // copied and named by the setting
        Failed,     // refused or not copied; the page has said why and nothing changed
    };
    Kind kind = Cancelled;
    QString picked;  // the chosen file where it was picked
    QString name;    // its bare name, as stored
};

// Shows `dialog` with `filter` and imports the chosen file for `setting`. The outcome's name is
// the one stored, which differs from the picked file's when that name was taken.
ImportOutcome ImportIntoFolder(WizardWindow* page, FileOpenDialog& dialog, const QString& filter,
                               const StoredFileRef& setting);

// Writes `name` to the setting at once and reads it back; a profile that holds another name than
// written gets its previous one back, and the page says why. False when the name is not stored.
// `previous`, when given, receives the name the setting held before.
bool WriteStoredName(WizardWindow* page, const StoredFileRef& setting, const QString& name,
                     QString* previous = nullptr);

// The setting names no file any more, and its file is deleted unless another setting still
// names it. False, changing nothing, when the profile could not be written (the page has said
// so).
bool RemoveStoredFile(WizardWindow* page, const StoredFileRef& setting);
