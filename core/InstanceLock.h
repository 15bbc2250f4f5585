#pragma once
// One program per data folder: two would time the same connection, log it twice and overwrite
// each other's tariffs. The lock belongs to the running process itself: an flock on the data
// folder, which writes no file (so it holds on a full or a read-only disk) and ends with the
// process (so it can never be left stale). Where the folder's file system has no such locks, a
// socket named after the folder stands in for it. On Windows a mutex named after the folder does.
#include <cstdint>
#include <memory>

class InstanceLock
{
public:
    explicit InstanceLock(std::intptr_t handle) : m_handle(handle) {}
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

private:
    std::intptr_t m_handle;   // a descriptor, or a Windows handle
};

// The lock of ProgramDir(), held until it is destroyed; null while another program holds it.
std::unique_ptr<InstanceLock> LockDataFolder();
