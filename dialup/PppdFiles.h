#pragma once
// Reading what pppd and its configuration leave in the file system: small files, folder
// listings, the words of options files and chat scripts. Every failure to read (missing file,
// EACCES, a folder or FIFO where a file should be) means "not there"; nothing throws.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The whole content of a regular file of at most maxBytes bytes; nothing when it cannot be read.
std::optional<std::string> ReadSmallFile(const std::string &path, std::size_t maxBytes = 64 * 1024);
// Names in a folder (without "." and ".."), unsorted; empty when the folder cannot be read.
std::vector<std::string> ListFolder(const std::string &path);
bool IsRegularFile(const std::string &path);
bool PathExists(const std::string &path);

// Editor backups and package-manager leftovers that are no peers: "x~", "x.bak", "x.dpkg-old", ...
bool IsLeftoverFileName(std::string_view name);
// A name usable as one path component: not empty, no '/', not "." or "..".
bool IsPlainFileName(std::string_view name);

// The words of a pppd options file: '#' starts a comment, quotes group, backslash escapes.
std::vector<std::string> SplitOptionWords(std::string_view text);
// The words of a shell command line as /bin/sh would split them (quotes, backslashes).
std::vector<std::string> SplitShellWords(std::string_view command);
// The words of a chat script file: quotes group, '#' at the start of a line is a comment;
// backslash sequences stay for chat to interpret.
std::vector<std::string> SplitChatWords(std::string_view text);

// The number a chat script dials: the first send string beginning with ATDT, ATDP or ATD
// (any case), without the prefix; "\T" stands for phoneOption. Empty when none dials.
std::string DialledNumber(const std::vector<std::string> &scriptWords, const std::string &phoneOption);

// A device as pppd takes it ("/dev/ttyS0" or "ttyS0"), given without "/dev/"; empty for other words.
std::string DeviceWord(std::string_view word);
