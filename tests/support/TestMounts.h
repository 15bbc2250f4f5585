#pragma once
// Real file-system faults: a small tmpfs that can be filled to the last block, and a folder made
// read-only by a bind mount, in a mount namespace of the test process's own (CI runs as root), so
// the machine's mounts are never touched and the mounts vanish with the process.
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// Once per process: mounts made after it are seen by this process alone.
inline bool PrivateMounts()
{
    static const bool ok =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}

class TestMount
{
public:
    // A tmpfs of about `bytes` over folder, hiding what it held until the mount goes.
    TestMount(const QString &folder, qint64 bytes) : m_folder(QFile::encodeName(folder))
    {
        m_ok = PrivateMounts()
               && ::mount("minutrix-test", path(), "tmpfs", 0, ("size=" + QByteArray::number(bytes)).constData()) == 0;
    }
    // The folder itself, read-only from now on: bound over itself, then made read-only.
    explicit TestMount(const QString &folder) : m_folder(QFile::encodeName(folder))
    {
        m_ok = PrivateMounts() && ::mount(path(), path(), nullptr, MS_BIND, nullptr) == 0
               && ::mount(nullptr, path(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~TestMount() { ::umount2(path(), MNT_DETACH); }
    bool ok() const { return m_ok; }

    // Fills the file system with "filler" until not one more byte fits.
    bool fill() const
    {
        const int fd = ::open((m_folder + "/filler").constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        static const char block[4096] = {};
        while (fd >= 0 && ::write(fd, block, sizeof block) > 0) {}
        const bool full = fd >= 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    const char *path() const { return m_folder.constData(); }
    QByteArray m_folder;
    bool m_ok = false;
};
