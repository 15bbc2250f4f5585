#include "tests/support/FakeRas.h"

#include "core/Win1252.h"

namespace {
FakeRas *current = nullptr;

RasDword RAS_CALL fakeGetEntryProperties(const char *, const char *entry, void *buffer, RasDword *entrySize, void *,
                                         RasDword *deviceInfoSize)
{
    // A function pointer handed out by the fake may outlive it only by mistake; answer "not found" then.
    return current ? current->GetEntryProperties(entry, buffer, entrySize, deviceInfoSize)
                   : ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
}
}

FakeRas::FakeRas()
{
    setLibrary(QStringLiteral("rasapi32.dll"), {QStringLiteral("RasGetEntryPropertiesA")});
    current = this;
    SetRasModule(this);
}

FakeRas::~FakeRas()
{
    SetRasModule(nullptr);
    if (current == this) current = nullptr;
}

void FakeRas::addEntry(const QString &name, const QString &number, RasDword probeResult, RasDword readResult)
{
    m_entries.append(Entry{ToWin1252(name), ToWin1252(number), probeResult, readResult});
}

void FakeRas::setConnection(const QString &entry, RasDword state, const QString &deviceType, const QString &deviceName)
{
    m_connections.clear();
    addConnection(entry, state, deviceType, deviceName);
}

void FakeRas::addConnection(const QString &entry, RasDword state, const QString &deviceType, const QString &deviceName)
{
    m_connections.append(Connection{ToWin1252(entry), ToWin1252(deviceType), ToWin1252(deviceName), state, {}});
}

void FakeRas::setConnectionState(RasDword state, int connection)
{
    if (connection >= 0 && connection < m_connections.size()) {
        m_connections[connection].state = state;
        m_connections[connection].script.clear();
    }
}

void FakeRas::scriptStates(const QList<RasDword> &states, int connection)
{
    if (connection >= 0 && connection < m_connections.size()) m_connections[connection].script = states;
}

void FakeRas::hangUp() { m_connections.clear(); }

void FakeRas::setLibrary(const QString &fileName, const QStringList &exports)
{
    m_libraries[fileName.toLower()] = Library{fileName, exports};
}

void FakeRas::removeLibrary(const QString &fileName) { m_libraries.erase(fileName.toLower()); }

RasDword FakeRas::EnumEntries(const char *, const char *, void *entries, RasDword *bytes, RasDword *count)
{
    ++enumEntriesCalls;
    m_readsByName.clear();   // a new listing: duplicate names start again from their first occurrence
    enumEntriesBytes.append(bytes ? *bytes : 0);
    enumEntriesDwSize.append(entries && bytes && *bytes >= 4 ? ReadRasDword(entries) : 0);
    if (m_enumEntriesResult != RAS_SUCCESS) return m_enumEntriesResult;
    if (!bytes || !count) return ERROR_BUFFER_INVALID;
    if (entries && *bytes >= 4 && ReadRasDword(entries) != RasLayout::EntryNameSize) return ERROR_INVALID_SIZE;
    const RasDword needed = RasDword(m_entries.size() * RasLayout::EntryNameStride);
    if (!entries || *bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    auto *element = static_cast<unsigned char *>(entries);
    for (const Entry &e : m_entries) {
        WriteRasDword(element, RasLayout::EntryNameSize);
        WriteRasString(element + RasLayout::EntryName_szEntryName, RasLayout::EntryNameCapacity,
                       std::string_view(e.name.constData(), std::size_t(e.name.size())));
        element += RasLayout::EntryNameStride;
    }
    *count = RasDword(m_entries.size()) + m_extraEntries;
    return RAS_SUCCESS;
}

RasDword FakeRas::EnumConnections(void *connections, RasDword *bytes, RasDword *count)
{
    ++enumConnectionsCalls;
    enumConnectionsBytes.append(bytes ? *bytes : 0);
    enumConnectionsDwSize.append(connections && bytes && *bytes >= 4 ? ReadRasDword(connections) : 0);
    for (Connection &c : m_connections)
        if (!c.script.isEmpty()) c.state = c.script.takeFirst();   // each poll takes the next state
    if (m_enumConnectionsResult != RAS_SUCCESS) return m_enumConnectionsResult;
    if (!bytes || !count) return ERROR_BUFFER_INVALID;
    if (connections && *bytes >= 4 && ReadRasDword(connections) != RasLayout::ConnSize) return ERROR_INVALID_SIZE;
    const RasDword needed = RasDword(m_connections.size() * RasLayout::ConnStride);
    if (!m_connections.isEmpty() && (!connections || *bytes < needed)) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    auto *element = static_cast<unsigned char *>(connections);
    auto put = [](unsigned char *at, std::size_t capacity, const QByteArray &text) {
        WriteRasString(at, capacity, std::string_view(text.constData(), std::size_t(text.size())));
    };
    for (int i = 0; i < m_connections.size(); ++i) {
        const Connection &c = m_connections.at(i);
        WriteRasDword(element, RasLayout::ConnSize);
        WriteRasHandle(element + RasLayout::Conn_hrasconn, FirstHandle + RasHandle(i));
        put(element + RasLayout::Conn_szEntryName, RasLayout::EntryNameCapacity, c.entry);
        put(element + RasLayout::Conn_szDeviceType, RasLayout::DeviceTypeCapacity, c.deviceType);
        put(element + RasLayout::Conn_szDeviceName, RasLayout::DeviceNameCapacity, c.deviceName);
        element += RasLayout::ConnStride;
    }
    *count = RasDword(m_connections.size()) + (m_connections.isEmpty() ? 0 : m_extraConnections);
    return RAS_SUCCESS;
}

RasDword FakeRas::GetConnectStatus(RasHandle connection, void *status)
{
    ++connectStatusCalls;
    connectStatusHandles.append(connection);
    connectStatusDwSize.append(status ? ReadRasDword(status) : 0);
    if (!status) return ERROR_BUFFER_INVALID;
    if (ReadRasDword(status) != RasLayout::ConnStatusSize) return ERROR_INVALID_SIZE;
    const RasHandle index = connection - FirstHandle;
    if (connection < FirstHandle || index >= RasHandle(m_connections.size())) return ERROR_NO_CONNECTION;
    WriteRasDword(static_cast<unsigned char *>(status) + RasLayout::ConnStatus_rasconnstate,
                  m_connections.at(qsizetype(index)).state);
    return RAS_SUCCESS;
}

RasLibrary FakeRas::OpenLibrary(const char *fileName)
{
    const QString name = QString::fromLatin1(fileName);
    openedLibraries.append(name);
    const auto found = m_libraries.find(name.toLower());
    return found == m_libraries.end() ? nullptr : static_cast<RasLibrary>(&found->second);
}

RasProc FakeRas::FindFunction(RasLibrary library, const char *name)
{
    const QString function = QString::fromLatin1(name);
    for (const auto &[key, lib] : m_libraries) {
        if (&lib != library) continue;
        lookups.append(lib.fileName + QLatin1Char(':') + function);
        return lib.exports.contains(function) ? reinterpret_cast<RasProc>(&fakeGetEntryProperties) : nullptr;
    }
    lookups.append(QStringLiteral("?:") + function);   // a handle this fake never gave out
    return nullptr;
}

void FakeRas::CloseLibrary(RasLibrary library)
{
    for (const auto &[key, lib] : m_libraries)
        if (&lib == library) closedLibraries.append(lib.fileName);
}

const FakeRas::Entry *FakeRas::entryFor(const QByteArray &name) const
{
    const auto reads = m_readsByName.find(name);
    int skip = reads == m_readsByName.end() ? 0 : reads->second;
    for (const Entry &e : m_entries)
        if (e.name == name && skip-- == 0) return &e;
    return nullptr;
}

RasDword FakeRas::GetEntryProperties(const char *entry, void *buffer, RasDword *entrySize, RasDword *deviceInfoSize)
{
    EntryPropertiesCall call;
    const QByteArray name(entry ? entry : "");
    call.entry = FromWin1252(name);
    call.withBuffer = buffer != nullptr;
    call.entrySize = entrySize ? *entrySize : 0;
    call.deviceInfoSize = deviceInfoSize ? *deviceInfoSize : 0;
    call.dwSize = buffer && entrySize && *entrySize >= 4 ? ReadRasDword(buffer) : 0;
    entryPropertiesCalls.append(call);

    const Entry *e = entryFor(name);
    if (!e || !entrySize) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!buffer) {
        if (e->probeResult == ERROR_BUFFER_TOO_SMALL) {
            *entrySize = m_probeSize;
            if (deviceInfoSize) *deviceInfoSize = 0;
        }
        return e->probeResult;
    }
    ++m_readsByName[name];   // the next probe and read of this name see its next occurrence
    if (e->readResult != RAS_SUCCESS) return e->readResult;
    if (*entrySize < RasLayout::EntrySize) return ERROR_BUFFER_TOO_SMALL;
    if (ReadRasDword(buffer) != RasLayout::EntrySize) return ERROR_INVALID_SIZE;
    WriteRasString(static_cast<unsigned char *>(buffer) + RasLayout::Entry_szLocalPhoneNumber,
                   RasLayout::PhoneNumberCapacity,
                   std::string_view(e->number.constData(), std::size_t(e->number.size())));
    return RAS_SUCCESS;
}

#ifdef __linux__
#include "dialup/RasPppd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PppdTree::PppdTree()
{
    SetPppdRoot(m_dir.path().toStdString());
    SetRasModule(&PppdRasModule());
}

PppdTree::~PppdTree()
{
    SetRasModule(nullptr);
    SetPppdRoot(std::string());
}

void PppdTree::write(const QString &relative, const QByteArray &content) const
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile f(path(relative));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        qFatal("PppdTree: cannot write %s", qPrintable(path(relative)));
}

void PppdTree::remove(const QString &relative) const
{
    const QFileInfo info(path(relative));
    if (info.isDir() && !info.isSymLink())
        QDir(info.filePath()).removeRecursively();
    else
        QFile::remove(info.filePath());
}

void PppdTree::addPeer(const QString &name, const QByteArray &options) const
{
    write(QStringLiteral("etc/ppp/peers/") + name, options);
}

void PppdTree::addProcess(long pid, const QByteArray &comm, const QList<QByteArray> &args) const
{
    const QString proc = QStringLiteral("proc/%1/").arg(pid);
    write(proc + QStringLiteral("comm"), comm + '\n');
    QByteArray cmdline;
    for (const QByteArray &a : args) cmdline += a + '\0';
    write(proc + QStringLiteral("cmdline"), cmdline);
}

void PppdTree::startPppd(long pid, const QString &peer, const QList<QByteArray> &extraArgs) const
{
    addProcess(pid, "pppd", QList<QByteArray>{"/usr/sbin/pppd", "call", peer.toUtf8()} + extraArgs);
}

void PppdTree::writeLinkPidFile(long pid, const QString &link, const QString &iface, const QString &folder) const
{
    QByteArray text = QByteArray::number(qlonglong(pid)) + '\n';
    if (!iface.isEmpty()) text += iface.toUtf8() + '\n';
    write(folder + QStringLiteral("/ppp-") + link + QStringLiteral(".pid"), text);
}

void PppdTree::writeUnitPidFile(long pid, const QString &iface, const QString &folder) const
{
    write(folder + QLatin1Char('/') + iface + QStringLiteral(".pid"), QByteArray::number(qlonglong(pid)) + '\n');
}

void PppdTree::setInterface(const QString &iface, quint32 flags, const QByteArray &carrier) const
{
    const QString net = QStringLiteral("sys/class/net/") + iface + QLatin1Char('/');
    write(net + QStringLiteral("flags"), "0x" + QByteArray::number(flags, 16) + '\n');
    write(net + QStringLiteral("carrier"), carrier);
}
#endif
