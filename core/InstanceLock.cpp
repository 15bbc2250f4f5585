#include "core/InstanceLock.h"

#include "core/ProgramDir.h"

#include <QLockFile>

QString InstanceLockPath() { return ProgramDir() + QStringLiteral("Minutrix.lock"); }

std::unique_ptr<QLockFile> LockDataFolder()
{
    auto lock = std::make_unique<QLockFile>(InstanceLockPath());
    // Never stale by age: a program runs for days. A lock whose process has gone is stale all the same.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError) return lock;
    return nullptr;
}
