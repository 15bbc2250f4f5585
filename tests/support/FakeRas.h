#pragma once
// A scripted RAS module for tests. Usage:
//
//   FakeRas ras;                                  // installed as the RAS module while it lives
//   ras.addEntry("Entry", "0192658");             // phonebook entries, before the monitor is built
//   TVexRasConnect monitor(&form);                // reads entries and numbers from the fake
//   ras.setConnection("Entry", RASCS_Connected);  // one connection, device "modem" / "ttyS0"
//   monitor.Poll();                               // IsConnected(), ConnectedNumber() == "0192658"
//   ras.setConnectionState(RASCS_ConnectDevice);  // the same connection in another state
//   ras.scriptStates({RASCS_OpenPort, RASCS_Authenticate, RASCS_Connected});   // one per poll
//   ras.hangUp();                                 // no connection enumerated any more
//
// It answers like RAS: a buffer too small for all entries gets 603 with the size needed, a wrong
// dwSize gets 632. Results can be forced (failEnumEntries, per-entry probe/read results), the
// library loader behind RasGetEntryProperties can be scripted (setLibrary, removeLibrary), and
// every call is counted and recorded.
#include "dialup/Ras.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

class FakeRas : public RasModule
{
public:
    FakeRas();
    ~FakeRas() override;
    FakeRas(const FakeRas &) = delete;
    FakeRas &operator=(const FakeRas &) = delete;

    // Phonebook. probeResult answers the size probe, readResult the read of the properties.
    void addEntry(const QString &name, const QString &number, RasDword probeResult = ERROR_BUFFER_TOO_SMALL,
                  RasDword readResult = RAS_SUCCESS);
    void setProbeSize(RasDword bytes) { m_probeSize = bytes; }   // what the probe asks for; 1768 by default
    void failEnumEntries(RasDword result) { m_enumEntriesResult = result; }   // RAS_SUCCESS: answer normally
    void changePhonebook() { ++m_phonebookGeneration; }   // the monitor reads the lists at its next poll
    void overstateEntryCount(RasDword extra) { m_extraEntries = extra; }   // a count beyond the buffer

    // Active connections, in the order RAS reports them.
    void setConnection(const QString &entry, RasDword state, const QString &deviceType = QStringLiteral("modem"),
                       const QString &deviceName = QStringLiteral("ttyS0"));
    void addConnection(const QString &entry, RasDword state, const QString &deviceType = QStringLiteral("modem"),
                       const QString &deviceName = QStringLiteral("ttyS0"));
    void setConnectionState(RasDword state, int connection = 0);
    // One state per later enumeration (poll); the last one stays.
    void scriptStates(const QList<RasDword> &states, int connection = 0);
    void hangUp();
    void failEnumConnections(RasDword result) { m_enumConnectionsResult = result; }
    void overstateConnectionCount(RasDword extra) { m_extraConnections = extra; }

    // The loader. By default "rasapi32.dll" loads and exports "RasGetEntryPropertiesA".
    void setLibrary(const QString &fileName, const QStringList &exports);
    void removeLibrary(const QString &fileName);

    // What was called.
    struct EntryPropertiesCall
    {
        QString entry;
        bool withBuffer = false;
        RasDword entrySize = 0;        // as passed in
        RasDword deviceInfoSize = 0;   // as passed in
        RasDword dwSize = 0;           // of the buffer, when there is one
    };
    int enumEntriesCalls = 0;
    QList<RasDword> enumEntriesBytes;    // the byte count passed in, per call
    QList<RasDword> enumEntriesDwSize;   // the first element's dwSize, per call
    int enumConnectionsCalls = 0;
    QList<RasDword> enumConnectionsBytes;
    QList<RasDword> enumConnectionsDwSize;
    int connectStatusCalls = 0;
    QList<RasHandle> connectStatusHandles;
    QList<RasDword> connectStatusDwSize;
    QList<EntryPropertiesCall> entryPropertiesCalls;
    QStringList openedLibraries;   // every OpenLibrary, in order
    QStringList lookups;           // "library:function", in order
    QStringList closedLibraries;

    // RasModule
    RasDword EnumEntries(const char *reserved, const char *phonebook, void *entries, RasDword *bytes,
                         RasDword *count) override;
    RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) override;
    RasDword GetConnectStatus(RasHandle connection, void *status) override;
    RasLibrary OpenLibrary(const char *fileName) override;
    RasProc FindFunction(RasLibrary library, const char *name) override;
    void CloseLibrary(RasLibrary library) override;
    unsigned PhonebookGeneration() const override { return m_phonebookGeneration; }

    RasDword GetEntryProperties(const char *entry, void *buffer, RasDword *entrySize, RasDword *deviceInfoSize);

    static constexpr RasHandle FirstHandle = 0x5100;   // connection i has handle FirstHandle + i

private:
    struct Entry
    {
        QByteArray name;
        QByteArray number;
        RasDword probeResult;
        RasDword readResult;
    };
    struct Connection
    {
        QByteArray entry, deviceType, deviceName;
        RasDword state;
        QList<RasDword> script;
    };
    struct Library
    {
        QString fileName;
        QStringList exports;
    };
    const Entry *entryFor(const QByteArray &name) const;

    QList<Entry> m_entries;
    std::map<QByteArray, int> m_readsByName;   // duplicate names answer in phonebook order
    RasDword m_probeSize = RasLayout::EntrySize;
    RasDword m_enumEntriesResult = RAS_SUCCESS;
    RasDword m_extraEntries = 0;
    unsigned m_phonebookGeneration = 0;
    QList<Connection> m_connections;
    RasDword m_enumConnectionsResult = RAS_SUCCESS;
    RasDword m_extraConnections = 0;
    std::map<QString, Library> m_libraries;   // node-based: a Library's address is its handle
};

#ifdef __linux__
#include <QTemporaryDir>

// A temporary folder laid out as pppd and its configuration lay out the real system, with the
// pppd module pointed at it (and installed) for the object's lifetime. Paths are relative to
// the root, e.g. "etc/ppp/peers/provider", "run/ppp0.pid", "proc/4711/comm".
class PppdTree
{
public:
    PppdTree();
    ~PppdTree();
    PppdTree(const PppdTree &) = delete;
    PppdTree &operator=(const PppdTree &) = delete;

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    void write(const QString &relative, const QByteArray &content) const;   // creates the folders
    void remove(const QString &relative) const;                             // a file or a whole folder

    void addPeer(const QString &name, const QByteArray &options) const;
    // A process: /proc/PID/comm and /proc/PID/cmdline (arguments NUL-separated).
    void addProcess(long pid, const QByteArray &comm, const QList<QByteArray> &args) const;
    // "pppd call PEER" followed by extra arguments.
    void startPppd(long pid, const QString &peer, const QList<QByteArray> &extraArgs = {}) const;
    // "ppp-LINK.pid" with the interface on its second line once there is one.
    void writeLinkPidFile(long pid, const QString &link, const QString &iface = {},
                          const QString &folder = QStringLiteral("run")) const;
    // "pppN.pid" for the interface pppN.
    void writeUnitPidFile(long pid, const QString &iface, const QString &folder = QStringLiteral("run")) const;
    // /sys/class/net/IFACE with its flags (written as sysfs does, "0x1091") and carrier.
    void setInterface(const QString &iface, quint32 flags, const QByteArray &carrier) const;

private:
    QTemporaryDir m_dir;
};
#endif
