#pragma once
// `debaclock --board`: the tab room's board of a tournament, without a window. It reads
// "\config\board.ini", subscribes to every room through the broker and serves the board page
// until it is stopped, saying where phones and screens reach it.

#include <optional>

// Runs the board if `argv` asks for it: its exit status. None when it does not.
std::optional<int> RunBoardCommand(int argc, char* argv[]);
