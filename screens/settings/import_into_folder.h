#pragma once
// The import steps of the settings pages: the operator picks a file, it is copied into the
// setting's folder and the setting names it. The copy is made before anything is deleted, the
// file stored before goes only once nothing names it any more, and a name that a profile
// cannot hold is refused, so an import never loses a file or stores half a name.

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

// Shows `dialog` with `filter` and imports the chosen file for `setting`.
ImportOutcome ImportIntoFolder(WizardWindow* page, FileOpenDialog& dialog, const QString& filter,
                               const StoredFileRef& setting);

// The setting names no file any more, and its file is deleted unless another setting still
// names it. False, changing nothing, when the profile could not be written (the page has said
// so).
bool RemoveStoredFile(WizardWindow* page, const StoredFileRef& setting);
