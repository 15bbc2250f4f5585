#pragma once
// One temporary program folder per fuzzing process, and the input written into it as a file, so
// each reader is fuzzed through the same path the program takes.
#include "ProgramDir.h"
#include "Report.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>

inline QString FuzzFolder()
{
    static const QString folder = [] {
        QByteArray templ = QDir::tempPath().toLocal8Bit() + "/minutrix-fuzz-XXXXXX";
        const char *made = ::mkdtemp(templ.data());
        SetProgramDir(QString::fromLocal8Bit(made ? made : "/tmp"));
        SetReportHandler([](const QString &) {});   // reports are expected; only crashes count
        return ProgramDir();
    }();
    return folder;
}

// Writes the input as ProgramDir() + name and returns its path.
inline QString FuzzFile(const QString &name, const std::uint8_t *data, std::size_t size)
{
    const QString path = FuzzFolder() + name;
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}
