#include "foundation/platform/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

#include "foundation/platform/colours.h"
#include "foundation/platform/dialog_owner.h"
#include "foundation/platform/modal.h"

namespace {

void SetFilters(QFileDialog& dialog, const QString& barFilter) {
    const QStringList filters = TranslateFilter(barFilter);
    if (filters.isEmpty()) {
        return;
    }
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
}

// Opens in the folder of the last answer, as the desktop's dialog does with its file name.
void StartAt(QFileDialog& dialog, const QString& fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || info.isRelative()) {
        return;
    }
    if (info.dir().exists()) {
        dialog.setDirectory(info.absolutePath());
    }
}

// Runs the dialog; on OK the chosen path becomes `fileName`, on cancel it stays as it was.
bool Answer(Modal<QFileDialog>& dialog, QString& fileName) {
    if (!dialog.accepted() || dialog->selectedFiles().isEmpty()) {
        return false;
    }
    fileName = dialog->selectedFiles().constFirst();
    return true;
}

}  // namespace

bool QtFileOpenDialog::Show() {
    Modal<QFileDialog> dialog(new QFileDialog(DialogOwner(owner_)));
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    StartAt(*dialog, fileName);
    SetFilters(*dialog, filter);
    return Answer(dialog, fileName);
}

bool QtSaveFileDialog::Show() {
    Modal<QFileDialog> dialog(new QFileDialog(DialogOwner(owner_)));
    // The caller decides about replacing a file; no suffix is added to the confirmed name.
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                       QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!title.isEmpty()) {
        dialog->setWindowTitle(title);
    }
    StartAt(*dialog, fileName);
    SetFilters(*dialog, filter);
    if (!fileName.isEmpty()) {
        dialog->selectFile(QFileInfo(fileName).fileName());
    }
    return Answer(dialog, fileName);
}

bool QtColourDialog::Show() {
    Modal<QColorDialog> dialog(new QColorDialog(ColourFromValue(colour), DialogOwner(owner_)));
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    if (!dialog.accepted()) {
        return false;
    }
    colour = ColourValueOf(dialog->selectedColor());
    return true;
}

bool QtFontDialog::Show() {
    Modal<QFontDialog> dialog(new QFontDialog(DialogOwner(owner_)));
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    if (!font.face.isEmpty()) {
        QFont last(font.face);
        if (font.size > 0) {
            last.setPointSizeF(font.size);
        }
        last.setBold(font.bold);
        last.setItalic(font.italic);
        dialog->setCurrentFont(last);
    }
    if (!dialog.accepted()) {
        return false;
    }
    const QFont chosen = dialog->selectedFont();
    font.face = chosen.family();
    font.size = float(chosen.pointSizeF());
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    return true;
}
