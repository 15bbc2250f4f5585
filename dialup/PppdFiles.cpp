#include "dialup/PppdFiles.h"

#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<std::string> ReadSmallFile(const std::string &path, std::size_t maxBytes)
{
    // O_NONBLOCK: a FIFO planted where a file should be must not hang the poll.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // /proc and /sys files report size 0 or 4096: read until the end rather than trusting st_size.
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;   // e.g. a down interface's carrier answers EINVAL
        }
        if (n == 0) break;
        text.append(chunk, std::size_t(n));
        if (text.size() > maxBytes) {
            text.resize(maxBytes);
            break;
        }
    }
    ::close(fd);
    return text;
}

std::vector<std::string> ListFolder(const std::string &path)
{
    std::vector<std::string> names;
    DIR *dir = ::opendir(path.c_str());
    if (!dir) return names;
    while (const dirent *e = ::readdir(dir)) {
        const std::string_view name(e->d_name);
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

bool IsRegularFile(const std::string &path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string &path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0;
}

bool IsLeftoverFileName(std::string_view name)
{
    auto endsWith = [name](std::string_view tail) {
        return name.size() >= tail.size() && name.substr(name.size() - tail.size()) == tail;
    };
    if (name.empty() || name.front() == '.' || name.front() == '#') return true;   // hidden, swap, autosave
    if (endsWith("~") || endsWith(".bak") || endsWith(".orig") || endsWith(".rej") || endsWith(".swp")) return true;
    if (endsWith(".rpmnew") || endsWith(".rpmsave")) return true;
    return name.find(".dpkg-") != std::string_view::npos || name.find(".ucf-") != std::string_view::npos;
}

bool IsPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

char optionEscape(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    case 's': return ' ';
    default: return c;
    }
}
}

std::vector<std::string> SplitOptionWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '#') {
            while (i < n && text[i] != '\n') ++i;
            continue;
        }
        std::string word;
        char quote = 0;
        for (; i < n; ++i) {
            const char c = text[i];
            if (c == '\\' && i + 1 < n) {
                ++i;
                if (text[i] != '\n') word += optionEscape(text[i]);   // backslash-newline joins lines
            } else if (quote) {
                if (c == quote)
                    quote = 0;
                else
                    word += c;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (isBlank(c)) {
                break;
            } else {
                word += c;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<std::string> SplitShellWords(std::string_view command)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = command.size();
    while (i < n) {
        if (isBlank(command[i])) {
            ++i;
            continue;
        }
        if (command[i] == '#') break;   // a comment runs to the end of the command
        std::string word;
        for (; i < n && !isBlank(command[i]); ++i) {
            const char c = command[i];
            if (c == '\\' && i + 1 < n) {
                word += command[++i];
            } else if (c == '\'') {
                for (++i; i < n && command[i] != '\''; ++i) word += command[i];
            } else if (c == '"') {
                for (++i; i < n && command[i] != '"'; ++i) {
                    const bool escapable =
                        i + 1 < n && std::string_view("$`\"\\\n").find(command[i + 1]) != std::string_view::npos;
                    if (command[i] == '\\' && escapable) ++i;
                    word += command[i];
                }
            } else {
                word += c;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<std::string> SplitChatWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.empty() && line.front() == '#') continue;
        std::size_t i = 0;
        while (i < line.size()) {
            if (isBlank(line[i])) {
                ++i;
                continue;
            }
            std::string word;
            if (line[i] == '"' || line[i] == '\'') {
                const char quote = line[i++];
                for (; i < line.size() && line[i] != quote; ++i) {
                    if (line[i] == '\\' && i + 1 < line.size()) word += line[i++];   // chat reads "\"" itself
                    word += line[i];
                }
                ++i;
            } else {
                for (; i < line.size() && !isBlank(line[i]); ++i) word += line[i];
            }
            words.push_back(std::move(word));
        }
    }
    return words;
}

std::string DialledNumber(const std::vector<std::string> &scriptWords, const std::string &phoneOption)
{
    for (const std::string &word : scriptWords) {
        std::string upper;
        for (char c : word.substr(0, 4)) upper += char(std::toupper(static_cast<unsigned char>(c)));
        if (upper.compare(0, 3, "ATD") != 0) continue;
        const std::size_t prefix = (upper == "ATDT" || upper == "ATDP") ? 4 : 3;
        std::string number;
        for (std::size_t i = prefix; i < word.size(); ++i) {
            if (word[i] != '\\') {
                number += word[i];
            } else if (i + 1 < word.size()) {
                if (word[i + 1] == 'T') number += phoneOption;   // chat's "\T": the number given with -T
                ++i;                                             // other escapes (\c, \d, \p) are no digits
            }
        }
        const std::size_t first = number.find_first_not_of(" \t");
        if (first == std::string::npos) return {};
        return number.substr(first, number.find_last_not_of(" \t") - first + 1);
    }
    return {};
}

std::string DeviceWord(std::string_view word)
{
    if (word.size() > 5 && word.substr(0, 5) == "/dev/") return std::string(word.substr(5));
    if (word.size() > 3 && word.substr(0, 3) == "tty") {
        for (char c : word)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') return {};
        return std::string(word);
    }
    return {};
}
