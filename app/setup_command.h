#pragma once
// The setup file from a shell, for scripts and tournaments: `debaclock --export-setup FILE`,
// `debaclock --import-setup FILE` and `debaclock --undo-import` run without a window while no
// copy of the program runs, say what they did, and end with a non-zero status on refusal.

#include <QCommandLineOption>
#include <QList>
#include <optional>

// The options, for the program's own help.
QList<QCommandLineOption> SetupCommandOptions();

// Runs the setup command `argv` names, if it names one: its exit status. None when it names
// none and the program starts as usual.
std::optional<int> RunSetupCommand(int argc, char* argv[]);
