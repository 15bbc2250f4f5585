#pragma once
// One program per data folder: two would time the same connection, log it twice and overwrite
// each other's tariffs. The lock is held for the whole run; one left by a process that no longer
// runs is stale and taken over.
#include <QString>
#include <memory>

class QLockFile;

QString InstanceLockPath();   // ProgramDir() + "Minutrix.lock"

// The lock, held until it is destroyed; null while another running program holds it. In a folder
// where no lock can be made at all (not writable) it holds nothing and the program starts all the
// same: the stores report their own errors there.
std::unique_ptr<QLockFile> LockDataFolder();
