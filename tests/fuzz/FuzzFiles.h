#pragma once
// What every fuzz target shares: one temporary program folder per process with the input written
// into it as the file the reader opens (the readers take paths), reports counted instead of shown,
// and checks that abort, which libFuzzer takes for a crash and keeps the input of.
#include "core/ErrorReport.h"
#include "core/ProgramDir.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Built for libFuzzer each target is the process's LLVMFuzzerTestOneInput; built for the corpus
// replay test (any compiler) all of them live in one program under names of their own.
#ifdef MINUTRIX_FUZZ_REPLAY
#define FUZZ_TARGET(name) int FuzzTarget_##name(const std::uint8_t *data, std::size_t size)
#else
#define FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
#endif

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) FuzzCheckFailed(#condition, __FILE__, __LINE__);                                             \
    } while (false)

[[noreturn]] inline void FuzzCheckFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

// How many reports were made since the last call.
inline int &FuzzReportCount()
{
    static int count = 0;
    return count;
}

inline int TakeFuzzReports()
{
    const int n = FuzzReportCount();
    FuzzReportCount() = 0;
    return n;
}

// The program folder of this process, set up at the first call; removed when the process ends.
inline QString FuzzFolder()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/minutrix-fuzz-XXXXXX"));
    static const QString folder = [] {
        if (!dir.isValid()) FuzzCheckFailed("a temporary folder", __FILE__, __LINE__);
        SetProgramDir(dir.path());
        SetReportHandler([](const QString &) { ++FuzzReportCount(); });
        return ProgramDir();
    }();
    return folder;
}

inline QByteArray FuzzBytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Replaces the file at path with bytes; its folder must exist.
inline void FuzzWrite(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        FuzzCheckFailed("the input written as a file", __FILE__, __LINE__);
}
