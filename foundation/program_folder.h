#pragma once
// Where the program folder is. A folder beside the program that holds config/ and can be
// written is used as it is: a portable copy, and the build tree. Otherwise the program folder is
// the user's own, filled from the defaults an installation ships.

#include <QString>

class QTextStream;

struct ProgramFolderPlaces {
    QString programDir;         // the folder of the executable
    QString installedDefaults;  // the shipped program folder content of an installation
    QString userFolder;         // UserProgramFolder()
};

// The places of the running program.
ProgramFolderPlaces ThisProgramsPlaces();

struct ProgramFolderChoice {
    QString folder;   // empty when no place can be written
    QString problem;  // then why, in words for the operator
};

// Decides the program folder. The user's folder gets every default file it lacks, so a first
// start fills it and an interrupted one is completed by the next.
ProgramFolderChoice ChooseProgramFolder(const ProgramFolderPlaces& places);

// This program's folder for a command without a window; empty, having said why on `errors`,
// when there is none that can be written.
QString ProgramFolderForCommand(QTextStream& errors);

// Copies each file of `defaults` that `folder` lacks, each in one atomic step; a file already
// there is never touched. Returns why the first copy that failed did, or the empty text.
QString AddMissingDefaults(const QString& defaults, const QString& folder);
