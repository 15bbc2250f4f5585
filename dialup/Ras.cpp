#include "dialup/Ras.h"

#if defined(_WIN32)
#include "dialup/RasWindows.h"
#elif defined(__linux__)
#include "dialup/RasLinux.h"
#endif

#include <cstring>

RasDword ReadRasDword(const void *at)
{
    const auto *b = static_cast<const unsigned char *>(at);
    return RasDword(b[0]) | RasDword(b[1]) << 8 | RasDword(b[2]) << 16 | RasDword(b[3]) << 24;
}

void WriteRasDword(void *at, RasDword value)
{
    auto *b = static_cast<unsigned char *>(at);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(value >> (8 * i));
}

RasHandle ReadRasHandle(const void *at)
{
    const auto *b = static_cast<const unsigned char *>(at);
    RasHandle h = 0;
    for (std::size_t i = 0; i < RasLayout::HandleBytes; ++i) h |= RasHandle(b[i]) << (8 * i);
    return h;
}

void WriteRasHandle(void *at, RasHandle value)
{
    auto *b = static_cast<unsigned char *>(at);
    for (std::size_t i = 0; i < RasLayout::HandleBytes; ++i) b[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::string ReadRasString(const void *at, std::size_t capacity)
{
    if (capacity == 0) return {};
    const auto *s = static_cast<const char *>(at);
    const void *nul = std::memchr(s, 0, capacity - 1);
    return std::string(s, nul ? static_cast<const char *>(nul) - s : capacity - 1);
}

void WriteRasString(void *at, std::size_t capacity, std::string_view text)
{
    if (capacity == 0) return;
    const std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    auto *s = static_cast<char *>(at);
    std::memcpy(s, text.data(), n);
    s[n] = '\0';
}

namespace {
// The resolver's process-wide state: nothing loaded, rasapi32.dll in use, or rnaph.dll in use.
struct ResolverState
{
    RasLibrary library = nullptr;
    bool loaded = false;
    bool useFallback = false;
};

RasModule *installed = nullptr;
ResolverState resolver;

// The rasapi32.dll handle is left to process exit (the program is linked against it anyway);
// only an rnaph.dll handle is given back.
void releaseResolver(RasModule &module)
{
    if (resolver.loaded && resolver.useFallback && resolver.library) module.CloseLibrary(resolver.library);
    resolver = ResolverState{};
}

struct ReleaseAtExit
{
    ~ReleaseAtExit() { releaseResolver(CurrentRasModule()); }
} releaseAtExit;
}

#if !defined(_WIN32) && !defined(__linux__)
namespace {
// For platforms without any dial-up service: no entries, no connections, no libraries.
class NoRasModule final : public RasModule
{
public:
    RasDword EnumEntries(const char *, const char *, void *, RasDword *, RasDword *count) override
    {
        if (count) *count = 0;
        return RAS_SUCCESS;
    }
    RasDword EnumConnections(void *, RasDword *, RasDword *count) override
    {
        if (count) *count = 0;
        return RAS_SUCCESS;
    }
    RasDword GetConnectStatus(RasHandle, void *) override { return ERROR_NO_CONNECTION; }
    RasLibrary OpenLibrary(const char *) override { return nullptr; }
    RasProc FindFunction(RasLibrary, const char *) override { return nullptr; }
    void CloseLibrary(RasLibrary) override {}
};

}
#endif

RasModule &DefaultRasModule()
{
    // Never destroyed: the resolver may still give a library back to it at process exit.
#if defined(_WIN32)
    return WindowsRasModule();
#elif defined(__linux__)
    return LinuxRasModule();
#else
    static auto *none = new NoRasModule;
    return *none;
#endif
}

RasModule &CurrentRasModule() { return installed ? *installed : DefaultRasModule(); }

void SetRasModule(RasModule *module)
{
    if (module == installed) return;
    releaseResolver(CurrentRasModule());
    installed = module;
}

RasDword RasEnumEntriesA(const char *reserved, const char *phonebook, void *entries, RasDword *bytes, RasDword *count)
{
    return CurrentRasModule().EnumEntries(reserved, phonebook, entries, bytes, count);
}

RasDword RasEnumConnectionsA(void *connections, RasDword *bytes, RasDword *count)
{
    return CurrentRasModule().EnumConnections(connections, bytes, count);
}

RasDword RasGetConnectStatusA(RasHandle connection, void *status)
{
    return CurrentRasModule().GetConnectStatus(connection, status);
}

RasProc GetRasProc(const std::string &baseName)
{
    RasModule &module = CurrentRasModule();
    const std::string notFound = "Function " + baseName + " not found!";
    if (resolver.loaded) {
        const std::string name = resolver.useFallback ? baseName : baseName + "A";
        if (RasProc proc = module.FindFunction(resolver.library, name.c_str())) return proc;
        throw RasError(notFound);
    }
    // The state changes only once a function has been found, so a failure leaves "nothing loaded".
    RasLibrary primary = module.OpenLibrary("rasapi32.dll");
    if (!primary) throw RasError("Error opening rasapi32.dll");
    if (RasProc proc = module.FindFunction(primary, (baseName + "A").c_str())) {
        resolver = ResolverState{primary, true, false};
        return proc;
    }
    RasLibrary fallback = module.OpenLibrary("rnaph.dll");
    if (!fallback) throw RasError("Error opening rnaph.dll");
    RasProc proc = module.FindFunction(fallback, baseName.c_str());
    if (!proc) {
        module.CloseLibrary(fallback);
        throw RasError(notFound);
    }
    resolver = ResolverState{fallback, true, true};
    return proc;
}

RasDword RasGetEntryProperties(const char *phonebook, const char *entry, void *entryBuffer, RasDword *entrySize,
                               void *deviceInfo, RasDword *deviceInfoSize)
{
    const auto proc = reinterpret_cast<RasGetEntryPropertiesProc>(GetRasProc("RasGetEntryProperties"));
    return proc(phonebook, entry, entryBuffer, entrySize, deviceInfo, deviceInfoSize);
}
