#ifdef _WIN32
#include "dialup/RasWindows.h"

#include <windows.h>

namespace {
// The three calls the program needs from rasapi32.dll, with the platform's own DWORD pointers.
using EnumEntriesFn = DWORD(WINAPI *)(LPCSTR reserved, LPCSTR phonebook, LPVOID entries, LPDWORD bytes, LPDWORD count);
using EnumConnectionsFn = DWORD(WINAPI *)(LPVOID connections, LPDWORD bytes, LPDWORD count);
using GetConnectStatusFn = DWORD(WINAPI *)(HANDLE connection, LPVOID status);
static_assert(sizeof(DWORD) == sizeof(RasDword));

constexpr RasDword ModuleMissing = ERROR_MOD_NOT_FOUND;   // any code but 0 and 603 is a plain failure

template <typename Fn>
Fn entryPoint(HMODULE library, const char *name)
{
    // GetProcAddress hands out a generic pointer; the cast through void(*)() is the documented way.
    return library ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name))) : nullptr;
}

class WindowsModule final : public RasModule
{
public:
    WindowsModule()
    {
        // Held for the life of the process, as a load-time link to the library would be.
        HMODULE ras = ::LoadLibraryA("rasapi32.dll");
        m_enumEntries = entryPoint<EnumEntriesFn>(ras, "RasEnumEntriesA");
        m_enumConnections = entryPoint<EnumConnectionsFn>(ras, "RasEnumConnectionsA");
        m_getConnectStatus = entryPoint<GetConnectStatusFn>(ras, "RasGetConnectStatusA");
    }

    RasDword EnumEntries(const char *reserved, const char *phonebook, void *entries, RasDword *bytes,
                         RasDword *count) override
    {
        if (!m_enumEntries) return ModuleMissing;
        return m_enumEntries(reserved, phonebook, entries, bytes, count);
    }

    RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) override
    {
        if (!m_enumConnections) return ModuleMissing;
        return m_enumConnections(connections, bytes, count);
    }

    RasDword GetConnectStatus(RasHandle connection, void *status) override
    {
        if (!m_getConnectStatus) return ModuleMissing;
        return m_getConnectStatus(reinterpret_cast<HANDLE>(connection), status);
    }

    RasLibrary OpenLibrary(const char *fileName) override { return ::LoadLibraryA(fileName); }

    RasProc FindFunction(RasLibrary library, const char *name) override
    {
        return reinterpret_cast<RasProc>(::GetProcAddress(static_cast<HMODULE>(library), name));
    }

    void CloseLibrary(RasLibrary library) override { ::FreeLibrary(static_cast<HMODULE>(library)); }

private:
    EnumEntriesFn m_enumEntries = nullptr;
    EnumConnectionsFn m_enumConnections = nullptr;
    GetConnectStatusFn m_getConnectStatus = nullptr;
};
}

RasModule &WindowsRasModule()
{
    static auto *module = new WindowsModule;   // never destroyed, see DefaultRasModule
    return *module;
}
#endif
