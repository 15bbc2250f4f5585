// The stores' file access on Unix: POSIX calls, so that every step can be checked.
#include "core/ReplaceFile.h"

#include "core/ReplaceFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

// A store kept elsewhere through a link stays linked: the link's target is replaced. Only a
// regular file is: a link to a device, FIFO or folder is itself replaced, so nothing outside the
// store's folder but a regular file is ever renamed over (think of a link to /dev/null).
QString followLink(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink() || !info.isFile()) return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? path : target;
}

// False when the name no longer leads to the open file: another save's cleaning took it away.
bool stillNamed(int fd, const QByteArray &name)
{
    struct stat opened
    {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::lstat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev
           && opened.st_ino == named.st_ino;
}

// Unbuffered with checked counts: a short write() is the only reliable sign of a full disk.
bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool renameNoReplace(const char *from, const char *to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    // A file system that cannot refuse in the rename itself: look first.
    struct stat st
    {};
    if (::lstat(to, &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from, to) == 0;
}

// The rename itself must reach the disk too, or a power failure could bring back the old file.
void syncFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void removeLeftovers(const QString &folder, const QString &fileName)
{
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &name : names) {
        if (!IsReplaceLeftoverName(fileName, name)) continue;
        const QByteArray path = encoded(folder + QLatin1Char('/') + name);
        struct stat st
        {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        // A save that is still running holds its lock; a killed one no longer does.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
}

}

bool WriteWholeFile(const QString &path, const QByteArray &data, bool replace)
{
    const QString target = replace ? followLink(path) : path;
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString fileName = info.fileName();
    const QByteArray targetName = encoded(target);
    struct stat old
    {};
    const bool keepMode = replace && ::stat(targetName.constData(), &old) == 0 && S_ISREG(old.st_mode);

    for (int attempt = 0; attempt < 8; ++attempt) {
        const QByteArray temp = encoded(folder + QLatin1Char('/') + fileName + ReplaceLeftoverSuffix());
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        // Held until the rename, so that the cleaning of a save beside this one leaves the file
        // alone. Where locks are not supported the save goes on without.
        (void)::flock(fd, LOCK_EX);
        if (!stillNamed(fd, temp)) {   // cleaned away before the lock was ours: start again
            ::close(fd);
            continue;
        }
        bool ok = (!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, data) && ::fsync(fd) == 0;
        if (ok)
            ok = replace ? std::rename(temp.constData(), targetName.constData()) == 0
                         : renameNoReplace(temp.constData(), targetName.constData());
        const int error = errno;
        if (!ok) ::unlink(temp.constData());
        ::close(fd);
        if (!ok) {
            errno = error;
            return false;
        }
        syncFolder(folder);
        removeLeftovers(folder, fileName);
        return true;
    }
    errno = EEXIST;
    return false;
}

bool OpenRegularFile(QFile &file, const QString &path, QIODevice::OpenMode mode, QString *why)
{
    const auto failed = [why](const QString &reason) {
        if (why) *why = reason;
        return false;
    };
    const QByteArray name = encoded(path);
    struct stat st
    {};
    // The type is looked at before opening too: opening a device can have effects of its own.
    if (::stat(name.constData(), &st) != 0) return failed(qt_error_string(errno));
    if (!S_ISREG(st.st_mode)) return failed(QStringLiteral("not a regular file"));
    // Should a FIFO take the file's place meanwhile, O_NONBLOCK returns at once and fstat tells.
    const int access = (mode & QIODevice::WriteOnly) ? O_RDWR : O_RDONLY;
    const int fd = ::open(name.constData(), access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failed(qt_error_string(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(QStringLiteral("not a regular file"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        const QString reason = file.errorString();
        ::close(fd);
        return failed(reason);
    }
    return true;
}
