#pragma once
// Where the program's files lie: the tariffs, the settings, the month logs, the journal, the lock,
// the update's files and the language files. Every such path is built from ProgramDir().
#include <QString>

// A portable build keeps every file beside the executable; an installed one (MINUTRIX_PORTABLE
// off) keeps them in the user's data folder, ~/.local/share/minutrix, and finds the language files
// shipped with it in share/minutrix beside bin/.
enum class FolderMode { Portable, UserData };
FolderMode BuildFolderMode();
FolderMode CurrentFolderMode();
void SetFolderMode(FolderMode mode);   // tests: the other mode in the same build

// The folder of the program's files, with a trailing '/'. In the user's data folder it is created
// on first use. Tests point it at a temporary folder, which then stands for it in either mode.
QString ProgramDir();
void SetProgramDir(const QString &folder);

// $XDG_DATA_HOME/minutrix/ (~/.local/share/minutrix/), the same for the program and minutrix-cli.
QString UserDataDir();

// $XDG_STATE_HOME/minutrix/ (~/.local/state/minutrix/): what the program keeps outside its data
// folder for a data folder that cannot take it (read-only). Not created here.
QString StateDir();

// The language file name (e.g. "english.qlf"): in ProgramDir() when it is there, otherwise in the
// installed share/minutrix when that has it, otherwise the path in ProgramDir() (loading then
// falls back to the built-in texts).
QString LanguageFile(const QString &name);

// The folder of the language files shipped with the program: beside the executable in a portable
// build, share/minutrix in an installed one. Tests point it at a folder of their own.
QString ShippedLanguageDir();
void SetShippedLanguageDir(const QString &folder);
