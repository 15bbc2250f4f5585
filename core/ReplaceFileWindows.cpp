// The stores' file access on Windows: the data is written beside the file, flushed to the disk and
// moved over the old one with MoveFileExW, which replaces in one step.
#include "core/ReplaceFile.h"

#include "core/ReplaceFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <io.h>
#include <windows.h>

namespace {
std::wstring native(const QString &path) { return QDir::toNativeSeparators(path).toStdWString(); }

void removeLeftovers(const QString &folder, const QString &fileName)
{
    // A save that is still running keeps its file open, so Windows refuses to delete it.
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : names)
        if (IsReplaceLeftoverName(fileName, name)) QFile::remove(folder + QLatin1Char('/') + name);
}

}

bool WriteWholeFile(const QString &path, const QByteArray &data, bool replace)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString fileName = info.fileName();
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString temp = folder + QLatin1Char('/') + fileName + ReplaceLeftoverSuffix();
        QFile file(temp);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(temp)) continue;
            errno = EACCES;
            return false;
        }
        bool ok = file.write(data) == data.size() && file.flush()
                  && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
        file.close();
        const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        if (ok) ok = MoveFileExW(native(temp).c_str(), native(path).c_str(), flags) != 0;
        if (!ok) {
            const bool exists = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS;
            QFile::remove(temp);
            errno = exists ? EEXIST : EIO;
            return false;
        }
        removeLeftovers(folder, fileName);
        return true;
    }
    errno = EEXIST;
    return false;
}

bool OpenRegularFile(QFile &file, const QString &path, QIODevice::OpenMode mode, QString *why)
{
    // Devices and pipes have no file of their own on Windows; folders and missing files are refused.
    if (!QFileInfo(path).isFile()) {
        if (why) *why = QFileInfo::exists(path) ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return false;
    }
    file.setFileName(path);
    if (file.open(mode)) return true;
    if (why) *why = file.errorString();
    return false;
}
