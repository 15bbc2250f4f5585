#pragma once
// Files that are not regular files, made where a store or language file is expected, and a guard
// that keeps a test from hanging when a reader opens a FIFO after all.
#include <QFile>
#include <QString>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

// kind: "fifo", "socket", "device" or "folder". True when it was made. The device is a null
// device node of its own (made with mknod, which needs root), never a link to the system's: a
// store that wrongly replaced it would replace the system's /dev/null.
inline bool MakeNonRegularFile(const QString &kind, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("fifo")) return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == QLatin1String("device")) return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    if (kind == QLatin1String("folder")) return ::mkdir(name.constData(), 0700) == 0;
    if (kind == QLatin1String("socket")) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(name.size()) >= sizeof address.sun_path) return false;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        if (fd >= 0) ::close(fd);   // the socket file stays
        return bound;
    }
    return false;
}

// A reader that opens a FIFO after all waits for a writer for ever: the alarm ends the test
// process then, so the test fails instead of hanging.
inline void FailInsteadOfHanging(unsigned seconds = 30) { ::alarm(seconds); }
