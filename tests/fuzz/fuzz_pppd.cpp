// What the pppd module reads from files: a peer file, its chat script, the pid files, the
// command line of the pppd they name and its interface's state. The input is those files
// separated by lines "===", laid out below a temporary root as pppd lays them out; the module
// then lists the entries, reads the number and enumerates the connections. The word splitters
// also get every part on its own.
#include "dialup/PppdFiles.h"
#include "dialup/Ras.h"
#include "dialup/RasPppd.h"
#include "tests/fuzz/FuzzFiles.h"

#include <QDir>
#include <string_view>
#include <vector>

namespace {
// Where each part of the input goes, in order; a part missing from the input is no file.
const char *const Parts[] = {
    "etc/ppp/peers/provider",       // options, "connect" with the chat call
    "etc/chatscripts/provider",     // the chat script of "chat -f"
    "run/ppp-provider.pid",         // pid, then the interface
    "run/ppp0.pid",                 // pid of the unit's pppd
    "proc/4711/cmdline",            // "pppd\0call\0provider\0..."
    "sys/class/net/ppp0/flags",     // "0x1091"
    "sys/class/net/ppp0/carrier",   // "1"
};

std::vector<std::string_view> split(std::string_view text)
{
    static constexpr std::string_view separator = "\n===\n";
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + separator.size());
    }
}

void place(const QString &root, const char *relative, const std::string_view *part)
{
    const QString path = root + QString::fromLatin1(relative);
    if (!part) {
        QFile::remove(path);
        return;
    }
    FuzzWrite(path, QByteArray(part->data(), qsizetype(part->size())));
}

void checkWords(std::string_view text)
{
    SplitOptionWords(text);
    SplitShellWords(text);
    const std::string number = DialledNumber(SplitChatWords(text), "0800");
    FUZZ_CHECK(number.empty() || (number.front() != ' ' && number.back() != ' '));
    const std::string device = DeviceWord(text);
    FUZZ_CHECK(device.find('/') == std::string::npos || text.substr(0, 5) == "/dev/");
}
}

FUZZ_TARGET(pppd)
{
    static const QString root = [] {
        const QString r = FuzzFolder() + QStringLiteral("pppd/");
        for (const char *folder : {"etc/ppp/peers", "etc/chatscripts", "run", "proc/4711", "sys/class/net/ppp0"})
            QDir().mkpath(r + QString::fromLatin1(folder));
        FuzzWrite(r + QStringLiteral("proc/4711/comm"), "pppd\n");
        SetPppdRoot(QFile::encodeName(r).toStdString());
        return r;
    }();
    const std::vector<std::string_view> parts = split(std::string_view(reinterpret_cast<const char *>(data), size));
    for (std::size_t i = 0; i < std::size(Parts); ++i) place(root, Parts[i], i < parts.size() ? &parts[i] : nullptr);
    for (const std::string_view part : parts) checkWords(part);

    RasModule &module = PppdRasModule();
    std::vector<unsigned char> entries(RasLayout::EntryNameStride * 4, 0);
    WriteRasDword(entries.data(), RasLayout::EntryNameSize);
    RasDword bytes = RasDword(entries.size()), count = 0;
    const RasDword listed = module.EnumEntries(nullptr, nullptr, entries.data(), &bytes, &count);
    FUZZ_CHECK(listed == RAS_SUCCESS && count == 1);   // the peer file is always there, if empty

    const auto properties = reinterpret_cast<RasGetEntryPropertiesProc>(
        module.FindFunction(module.OpenLibrary("rasapi32.dll"), "RasGetEntryPropertiesA"));
    std::vector<unsigned char> entry(RasLayout::EntrySize, 0);
    WriteRasDword(entry.data(), RasLayout::EntrySize);
    RasDword entrySize = RasLayout::EntrySize, info = 0;
    const RasDword read = properties(nullptr, "provider", entry.data(), &entrySize, nullptr, &info);
    FUZZ_CHECK(read == RAS_SUCCESS);

    std::vector<unsigned char> connections(RasLayout::ConnStride * RasLayout::MaxConnections, 0);
    WriteRasDword(connections.data(), RasLayout::ConnSize);
    bytes = RasDword(connections.size());
    count = 0;
    FUZZ_CHECK(module.EnumConnections(connections.data(), &bytes, &count) == RAS_SUCCESS);
    FUZZ_CHECK(count <= 1);   // one pppd process in the tree, however many pid files name it
    for (RasDword i = 0; i < count; ++i) {
        unsigned char status[RasLayout::ConnStatusSize] = {};
        WriteRasDword(status, RasLayout::ConnStatusSize);
        const RasHandle handle =
            ReadRasHandle(connections.data() + i * RasLayout::ConnStride + RasLayout::Conn_hrasconn);
        FUZZ_CHECK(module.GetConnectStatus(handle, status) == RAS_SUCCESS);
    }
    return 0;
}
