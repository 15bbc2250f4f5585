#include "dialup/RasPppd.h"

#include "dialup/PppdFiles.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <vector>

namespace {
std::string pppdRoot;   // without trailing '/'; empty is the real root

std::string underRoot(const std::string &path) { return pppdRoot + path; }   // path starts with '/'

const std::string PeersFolder = "/etc/ppp/peers";
// Where pppd versions and distributions put their pid files, searched in this order.
const char *const PidFolders[] = {"/run/pppd", "/var/run/pppd", "/run", "/var/run"};

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string firstLine(std::string_view text, std::size_t index)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        start = text.find('\n', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    std::string_view line = text.substr(std::min(start, text.size()));
    line = line.substr(0, line.find('\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return std::string(line);
}

std::optional<long> parsePid(const std::string &text)
{
    long pid = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (ec != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

std::vector<std::string> peerNames()
{
    std::vector<std::string> names;
    for (std::string &name : ListFolder(underRoot(PeersFolder)))
        if (!IsLeftoverFileName(name) && IsRegularFile(underRoot(PeersFolder + "/" + name)))
            names.push_back(std::move(name));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> peerWords(const std::string &peer)
{
    if (!IsPlainFileName(peer)) return {};
    const auto text = ReadSmallFile(underRoot(PeersFolder + "/" + peer));
    return text ? SplitOptionWords(*text) : std::vector<std::string>{};
}

// The number dialled by the peer's connect script: an inline chat script or the file of "chat -f".
std::string peerNumber(const std::string &peer)
{
    const std::vector<std::string> options = peerWords(peer);
    std::string connect;
    for (std::size_t i = 0; i + 1 < options.size(); ++i)
        if (options[i] == "connect") connect = options[i + 1];   // the last one counts, as in pppd
    const std::vector<std::string> words = SplitShellWords(connect);
    auto chat = std::find_if(words.begin(), words.end(),
                             [](const std::string &w) { return w == "chat" || endsWith(w, "/chat"); });
    if (chat == words.end()) return {};
    std::string scriptFile, phone;
    auto arg = chat + 1;
    for (; arg != words.end() && arg->size() > 1 && arg->front() == '-'; ++arg) {
        const char option = (*arg)[1];
        if (std::string_view("tTUfr").find(option) == std::string_view::npos) continue;   // flags like -v
        std::string value = arg->substr(2);
        if (value.empty() && arg + 1 != words.end()) value = *++arg;
        if (option == 'f') scriptFile = value;
        if (option == 'T') phone = value;
    }
    if (scriptFile.empty()) return DialledNumber(std::vector<std::string>(arg, words.end()), phone);
    // chat runs with the root folder as working folder
    const auto script = ReadSmallFile(underRoot(scriptFile.front() == '/' ? scriptFile : "/" + scriptFile));
    return script ? DialledNumber(SplitChatWords(*script), phone) : std::string();
}

struct PppdConnection
{
    long pid = 0;
    std::string interfaceName;   // empty until pppd has created the ppp unit
    std::string peer;
    std::string device;
};

// The pid files: "pppN.pid" (unit) and "ppp-LINKNAME.pid" (link, the interface on line two).
std::map<long, std::string> pidFileInterfaces()
{
    std::map<long, std::string> found;
    for (const char *folder : PidFolders) {
        for (const std::string &name : ListFolder(underRoot(folder))) {
            if (!endsWith(name, ".pid") || name.compare(0, 3, "ppp") != 0) continue;
            const std::string stem = name.substr(0, name.size() - 4);
            const bool link = stem.size() > 4 && stem[3] == '-';
            const bool unit = stem.size() > 3
                              && std::all_of(stem.begin() + 3, stem.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!link && !unit) continue;
            const auto text = ReadSmallFile(underRoot(std::string(folder) + "/" + name), 256);
            if (!text) continue;
            const auto pid = parsePid(firstLine(*text, 0));
            if (!pid) continue;
            std::string iface = unit ? stem : firstLine(*text, 1);
            if (!IsPlainFileName(iface)) iface.clear();
            std::string &known = found[*pid];
            if (known.empty()) known = iface;
        }
    }
    return found;
}

// A pid file outlives a crashed pppd, and the pid may since belong to another program.
bool isPppd(long pid)
{
    const auto comm = ReadSmallFile(underRoot("/proc/" + std::to_string(pid) + "/comm"), 256);
    return comm && firstLine(*comm, 0) == "pppd";
}

// A live pppd for a peer; nothing for a stale pid file or a pppd not started with "call NAME".
std::optional<PppdConnection> livePppd(long pid, const std::string &iface)
{
    if (!isPppd(pid)) return std::nullopt;
    const std::string proc = "/proc/" + std::to_string(pid);
    const auto cmdline = ReadSmallFile(underRoot(proc + "/cmdline"));
    if (!cmdline) return std::nullopt;
    std::vector<std::string> args;
    for (std::size_t start = 0; start < cmdline->size();) {
        std::size_t end = cmdline->find('\0', start);
        if (end == std::string::npos) end = cmdline->size();
        args.push_back(cmdline->substr(start, end - start));
        start = end + 1;
    }
    PppdConnection c{pid, iface, {}, {}};
    // pppd reads the peer file where "call" stands, so a later device word overrides an earlier one.
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "call" && i + 1 < args.size() && IsPlainFileName(args[i + 1])) {
            c.peer = args[++i];
            for (const std::string &word : peerWords(c.peer))
                if (std::string d = DeviceWord(word); !d.empty()) c.device = d;
        } else if (std::string d = DeviceWord(args[i]); !d.empty()) {
            c.device = d;
        }
    }
    if (c.peer.empty()) return std::nullopt;
    return c;
}

struct InterfaceFlags
{
    bool exists = false;
    bool up = false;   // IFF_UP set and the operational state not "down"
    bool carrier = false;
};

InterfaceFlags interfaceFlags(const std::string &iface)
{
    InterfaceFlags f;
    const std::string folder = underRoot("/sys/class/net/" + iface);
    f.exists = PathExists(folder);
    if (!f.exists) return f;
    // The sysfs flags never show IFF_RUNNING; up and carrier together mean the link is usable.
    const auto flags = ReadSmallFile(folder + "/flags", 64);
    const auto carrier = ReadSmallFile(folder + "/carrier", 64);
    const auto operstate = ReadSmallFile(folder + "/operstate", 64);
    unsigned long value = 0;
    if (flags) {
        std::string text = firstLine(*flags, 0);
        if (text.compare(0, 2, "0x") == 0) text.erase(0, 2);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
        f.up = ec == std::errc() && end == text.data() + text.size() && (value & 0x1);
    }
    if (operstate && firstLine(*operstate, 0) == "down") f.up = false;
    f.carrier = carrier && firstLine(*carrier, 0) == "1";
    return f;
}

// Before its interface has been up a link is still being made; once it has been up, an interface
// that goes down or disappears ends the connection even while pppd runs on (persist, redial).
RasDword linkState(const std::string &iface, bool &wasUp)
{
    if (iface.empty()) return RASCS_ConnectDevice;
    const InterfaceFlags f = interfaceFlags(iface);
    if (!f.exists) return wasUp ? RASCS_Disconnected : RASCS_ConnectDevice;
    if (!f.up) return wasUp ? RASCS_Disconnected : RASCS_Authenticate;
    if (!f.carrier) return RASCS_Authenticate;
    wasUp = true;
    return RASCS_Connected;
}

std::vector<PppdConnection> liveConnections()
{
    std::vector<PppdConnection> connections;
    for (const auto &[pid, iface] : pidFileInterfaces())
        if (auto c = livePppd(pid, iface)) connections.push_back(std::move(*c));
    return connections;
}

RasDword RAS_CALL pppdGetEntryProperties(const char *, const char *entry, void *buffer, RasDword *entrySize, void *,
                                         RasDword *deviceInfoSize)
{
    if (!entry || !entrySize) return ERROR_BUFFER_INVALID;
    const std::vector<std::string> peers = peerNames();
    if (!std::binary_search(peers.begin(), peers.end(), std::string(entry))) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!buffer || *entrySize < RasLayout::EntrySize) {
        *entrySize = RasLayout::EntrySize;
        if (deviceInfoSize) *deviceInfoSize = 0;
        return ERROR_BUFFER_TOO_SMALL;
    }
    if (ReadRasDword(buffer) != RasLayout::EntrySize) return ERROR_INVALID_SIZE;
    WriteRasString(static_cast<unsigned char *>(buffer) + RasLayout::Entry_szLocalPhoneNumber,
                   RasLayout::PhoneNumberCapacity, peerNumber(entry));
    return RAS_SUCCESS;
}

class PppdModule final : public RasModule
{
public:
    RasDword EnumEntries(const char *, const char *, void *entries, RasDword *bytes, RasDword *count) override
    {
        if (!bytes || !count) return ERROR_BUFFER_INVALID;
        if (entries && *bytes >= 4 && ReadRasDword(entries) != RasLayout::EntryNameSize) return ERROR_INVALID_SIZE;
        const std::vector<std::string> names = peerNames();
        const RasDword needed = RasDword(names.size() * RasLayout::EntryNameStride);
        if (!entries || *bytes < needed) {
            *bytes = needed;
            *count = 0;
            return ERROR_BUFFER_TOO_SMALL;
        }
        auto *element = static_cast<unsigned char *>(entries);
        for (const std::string &name : names) {
            WriteRasDword(element, RasLayout::EntryNameSize);
            WriteRasString(element + RasLayout::EntryName_szEntryName, RasLayout::EntryNameCapacity, name);
            element += RasLayout::EntryNameStride;
        }
        *bytes = needed;
        *count = RasDword(names.size());
        return RAS_SUCCESS;
    }

    RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) override
    {
        if (!bytes || !count) return ERROR_BUFFER_INVALID;
        if (connections && *bytes >= 4 && ReadRasDword(connections) != RasLayout::ConnSize) return ERROR_INVALID_SIZE;
        m_interfaces.clear();
        const std::vector<PppdConnection> live = liveConnections();
        // Forget the links of pppd processes that have ended.
        std::erase_if(m_wasUp, [&live](const auto &seen) {
            return std::none_of(live.begin(), live.end(), [&seen](const PppdConnection &c) {
                return c.pid == seen.first.first && c.interfaceName == seen.first.second;
            });
        });
        const RasDword needed = RasDword(live.size() * RasLayout::ConnStride);
        if (live.size() > 0 && (!connections || *bytes < needed)) {
            *bytes = needed;
            *count = 0;
            return ERROR_BUFFER_TOO_SMALL;
        }
        auto *element = static_cast<unsigned char *>(connections);
        for (const PppdConnection &c : live) {
            WriteRasDword(element, RasLayout::ConnSize);
            WriteRasHandle(element + RasLayout::Conn_hrasconn, RasHandle(c.pid));
            WriteRasString(element + RasLayout::Conn_szEntryName, RasLayout::EntryNameCapacity, c.peer);
            WriteRasString(element + RasLayout::Conn_szDeviceType, RasLayout::DeviceTypeCapacity, "modem");
            WriteRasString(element + RasLayout::Conn_szDeviceName, RasLayout::DeviceNameCapacity, c.device);
            element += RasLayout::ConnStride;
            m_interfaces[c.pid] = c.interfaceName;
        }
        *bytes = needed;
        *count = RasDword(live.size());
        return RAS_SUCCESS;
    }

    RasDword GetConnectStatus(RasHandle connection, void *status) override
    {
        if (!status) return ERROR_BUFFER_INVALID;
        if (ReadRasDword(status) != RasLayout::ConnStatusSize) return ERROR_INVALID_SIZE;
        auto *state = static_cast<unsigned char *>(status) + RasLayout::ConnStatus_rasconnstate;
        const auto known = m_interfaces.find(long(connection));
        if (known == m_interfaces.end() || !isPppd(known->first)) {
            WriteRasDword(state, RASCS_Disconnected);
            return ERROR_NO_CONNECTION;
        }
        WriteRasDword(state, linkState(known->second, m_wasUp[{known->first, known->second}]));
        return RAS_SUCCESS;
    }

    // Linux has no libraries to open; these two names stand for the entry points of this module.
    RasLibrary OpenLibrary(const char *fileName) override
    {
        return std::string_view(fileName) == "rasapi32.dll" ? static_cast<RasLibrary>(&m_library) : nullptr;
    }
    RasProc FindFunction(RasLibrary library, const char *name) override
    {
        if (library != &m_library || std::string_view(name) != "RasGetEntryPropertiesA") return nullptr;
        return reinterpret_cast<RasProc>(&pppdGetEntryProperties);
    }
    void CloseLibrary(RasLibrary) override {}
    TextEncoding Encoding() const override { return TextEncoding::Utf8; }

private:
    std::map<long, std::string> m_interfaces;               // pid -> interface, from the last enumeration
    std::map<std::pair<long, std::string>, bool> m_wasUp;   // (pid, interface) -> has been up
    char m_library = 0;
};
}

void SetPppdRoot(const std::string &root)
{
    pppdRoot = root;
    while (!pppdRoot.empty() && pppdRoot.back() == '/') pppdRoot.pop_back();
}

std::string PppdRoot() { return pppdRoot.empty() ? std::string("/") : pppdRoot; }

RasModule &PppdRasModule()
{
    static auto *module = new PppdModule;   // never destroyed, see DefaultRasModule
    return *module;
}
