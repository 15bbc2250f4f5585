// The instance lock on Windows: a mutex named after the data folder, which the system drops with
// the process.
#include "core/InstanceLock.h"

#include "core/ProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <windows.h>

InstanceLock::~InstanceLock() { ::CloseHandle(reinterpret_cast<HANDLE>(m_handle)); }

std::unique_ptr<InstanceLock> LockDataFolder()
{
    const QString canonical = QFileInfo(ProgramDir()).canonicalFilePath();
    const QString folder = (canonical.isEmpty() ? QDir::cleanPath(ProgramDir()) : canonical).toLower();
    const QString name =
        QStringLiteral("Local\\minutrix-")
        + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex());
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (!mutex) return nullptr;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<InstanceLock>(reinterpret_cast<std::intptr_t>(mutex));
}
