#pragma once
// Files that are not regular files, made where a store or language file is expected, and a guard
// that keeps a test from hanging when a reader opens a FIFO after all.
#include <QFile>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
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

// While it lives, a reader stuck opening the FIFO at path is let go after a few seconds, by
// opening the FIFO's other end, so the test ends and stop() tells that this was needed.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(const QString &path, std::chrono::milliseconds patience = std::chrono::seconds(5))
        : m_path(QFile::encodeName(path))
    {
        m_thread = std::thread([this, patience] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_cv.wait_for(lock, patience, [this] { return m_stopped; })) return;
            struct stat st
            {};
            // Only a FIFO has a reader to let go; a slow test on anything else is left alone.
            if (::lstat(m_path.constData(), &st) != 0 || !S_ISFIFO(st.st_mode)) return;
            while (!m_stopped) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_released = true;
                    ::close(fd);
                }
                m_cv.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stopped; });
            }
        });
    }
    ~FifoWatchdog() { stop(); }
    FifoWatchdog(const FifoWatchdog &) = delete;
    FifoWatchdog &operator=(const FifoWatchdog &) = delete;

    // True when a reader had opened the FIFO and had to be let go.
    bool stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopped = true;
        }
        m_cv.notify_all();
        if (m_thread.joinable()) m_thread.join();
        return m_released;
    }

private:
    QByteArray m_path;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_stopped = false;
    bool m_released = false;
    std::thread m_thread;
};
