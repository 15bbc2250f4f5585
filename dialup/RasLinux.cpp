#include "dialup/RasLinux.h"

#include "dialup/NmCache.h"
#include "dialup/RasNetworkManager.h"
#include "dialup/RasPppd.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// One module's whole answer to an enumeration, as elements of the given stride: asked once with
// room for one element, once more with the size the module wants. Nothing when it fails.
template <typename Enumerate>
std::vector<unsigned char> listAll(RasDword dwSize, std::size_t stride, Enumerate enumerate)
{
    std::vector<unsigned char> buffer(stride, 0);
    WriteRasDword(buffer.data(), dwSize);
    RasDword bytes = RasDword(buffer.size()), count = 0;
    RasDword result = enumerate(buffer.data(), &bytes, &count);
    if (result == ERROR_BUFFER_TOO_SMALL) {
        buffer.assign(std::max<std::size_t>(bytes, stride), 0);
        WriteRasDword(buffer.data(), dwSize);
        bytes = RasDword(buffer.size());
        count = 0;
        result = enumerate(buffer.data(), &bytes, &count);
    }
    if (result != RAS_SUCCESS) return {};
    buffer.resize(std::min<std::size_t>(count, buffer.size() / stride) * stride);
    return buffer;
}

// Both modules' elements into the caller's buffer, as one module would answer.
RasDword answerJoined(const std::vector<unsigned char> &first, const std::vector<unsigned char> &second,
                      std::size_t stride, void *buffer, RasDword *bytes, RasDword *count)
{
    const RasDword needed = RasDword(first.size() + second.size());
    if (needed > 0 && (!buffer || *bytes < needed)) {
        *bytes = needed;
        *count = 0;
        return ERROR_BUFFER_TOO_SMALL;
    }
    if (!first.empty()) std::memcpy(buffer, first.data(), first.size());
    if (!second.empty()) std::memcpy(static_cast<unsigned char *>(buffer) + first.size(), second.data(), second.size());
    *bytes = needed;
    *count = RasDword(needed / stride);
    return RAS_SUCCESS;
}

RasDword RAS_CALL linuxGetEntryProperties(const char *, const char *entry, void *buffer, RasDword *entrySize,
                                          void *deviceInfo, RasDword *deviceInfoSize);

class LinuxModule final : public RasModule
{
public:
    LinuxModule(RasModule &pppd, RasModule &networkManager) : m_pppd(pppd), m_networkManager(networkManager) {}

    RasDword EnumEntries(const char *, const char *, void *entries, RasDword *bytes, RasDword *count) override
    {
        using namespace RasLayout;
        if (!bytes || !count) return ERROR_BUFFER_INVALID;
        if (entries && *bytes >= 4 && ReadRasDword(entries) != EntryNameSize) return ERROR_INVALID_SIZE;
        auto entriesOf = [](RasModule &m) {
            return listAll(EntryNameSize, EntryNameStride, [&m](void *b, RasDword *n, RasDword *c) {
                return m.EnumEntries(nullptr, nullptr, b, n, c);
            });
        };
        return answerJoined(entriesOf(m_pppd), entriesOf(m_networkManager), EntryNameStride, entries, bytes, count);
    }

    RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) override
    {
        using namespace RasLayout;
        if (!bytes || !count) return ERROR_BUFFER_INVALID;
        if (connections && *bytes >= 4 && ReadRasDword(connections) != ConnSize) return ERROR_INVALID_SIZE;
        auto connectionsOf = [](RasModule &m) {
            return listAll(ConnSize, ConnStride,
                           [&m](void *b, RasDword *n, RasDword *c) { return m.EnumConnections(b, n, c); });
        };
        return answerJoined(connectionsOf(m_pppd), connectionsOf(m_networkManager), ConnStride, connections, bytes,
                            count);
    }

    RasDword GetConnectStatus(RasHandle connection, void *status) override
    {
        return (connection & NmHandleBit ? m_networkManager : m_pppd).GetConnectStatus(connection, status);
    }

    // As each part: the two names stand for this module's entry point.
    RasLibrary OpenLibrary(const char *fileName) override
    {
        return std::string_view(fileName) == "rasapi32.dll" ? static_cast<RasLibrary>(&m_library) : nullptr;
    }
    RasProc FindFunction(RasLibrary library, const char *name) override
    {
        if (library != &m_library || std::string_view(name) != "RasGetEntryPropertiesA") return nullptr;
        return reinterpret_cast<RasProc>(&linuxGetEntryProperties);
    }
    void CloseLibrary(RasLibrary) override {}
    TextEncoding Encoding() const override { return TextEncoding::Utf8; }
    unsigned PhonebookGeneration() const override
    {
        return m_pppd.PhonebookGeneration() + m_networkManager.PhonebookGeneration();
    }

    // The first part that knows the entry answers, so a peer wins over a profile of its name.
    RasDword GetEntryProperties(const char *entry, void *buffer, RasDword *entrySize, void *deviceInfo,
                                RasDword *deviceInfoSize)
    {
        for (RasModule *part : {&m_pppd, &m_networkManager}) {
            const RasLibrary library = part->OpenLibrary("rasapi32.dll");
            const RasProc proc = library ? part->FindFunction(library, "RasGetEntryPropertiesA") : nullptr;
            if (!proc) continue;
            const RasDword result = reinterpret_cast<RasGetEntryPropertiesProc>(proc)(nullptr, entry, buffer, entrySize,
                                                                                      deviceInfo, deviceInfoSize);
            if (result != ERROR_CANNOT_FIND_PHONEBOOK_ENTRY) return result;
        }
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }

private:
    RasModule &m_pppd;
    RasModule &m_networkManager;
    char m_library = 0;
};

LinuxModule &theModule()
{
    // Never destroyed, see DefaultRasModule.
    static auto *module = new LinuxModule(PppdRasModule(), *new NetworkManagerRasModule);
    return *module;
}

RasDword RAS_CALL linuxGetEntryProperties(const char *, const char *entry, void *buffer, RasDword *entrySize,
                                          void *deviceInfo, RasDword *deviceInfoSize)
{
    return theModule().GetEntryProperties(entry, buffer, entrySize, deviceInfo, deviceInfoSize);
}
}

RasModule &LinuxRasModule() { return theModule(); }
