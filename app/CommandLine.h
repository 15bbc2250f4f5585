#pragma once
// The program's command line: --help and --version answer and end the program before any window
// or file is touched; an unknown option or argument prints the usage and ends with status 2.
#include <optional>

// The exit status when the command line ends the program, nothing when it is to start.
std::optional<int> HandleCommandLine(int argc, char *argv[]);
