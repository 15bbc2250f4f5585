// The instance lock on Unix: flock on the data folder, an abstract socket where that is missing.
#include "core/InstanceLock.h"

#include "core/ProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A socket in the abstract namespace, named after the folder: bound by one process at a time,
// gone with it. -1 when another holds the name.
int lockByName(const QString &folder)
{
    const QByteArray name = "minutrix-" + QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.constData(), size_t(name.size()));   // sun_path[0] = 0: abstract
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), socklen_t(sizeof(sa_family_t) + 1 + name.size())) == 0)
        return fd;
    ::close(fd);
    return -1;
}
}

InstanceLock::~InstanceLock() { ::close(int(m_handle)); }

std::unique_ptr<InstanceLock> LockDataFolder()
{
    const QString folder = ProgramDir();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<InstanceLock>(fd);
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return nullptr;
    }
    // No such lock there (a network file system without it, a folder that cannot be opened).
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const int named = lockByName(canonical.isEmpty() ? QDir::cleanPath(folder) : canonical);
    return named >= 0 ? std::make_unique<InstanceLock>(named) : nullptr;
}
