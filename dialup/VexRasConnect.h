#pragma once
// The connection monitor: a non-visual component on a form that lists the dial-up phonebook
// entries with their numbers once, and while DoTimer is on asks RAS every 500 ms which
// connection is up and in which state. After every poll it raises OnStatusChange; when the
// connection enters another phase it raises OnConnectionStatus first.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QTimer;

enum class TLanguage { english, croatian };

// One connection of the last poll that is up ("connected"), with its own entry and number.
struct TConnectedLink
{
    quint64 Handle = 0;   // the connection's RAS handle: tells simultaneous links apart
    QString Entry;
    QString Number;
};
enum class TCStatus { connecting, authenticating, connected, disconnected };

class TVexRasConnect : public QObject
{
    Q_OBJECT

public:
    using TConnectionStatusEvent = std::function<void(TVexRasConnect *Sender, TCStatus status)>;
    using TStausChangeEvent = std::function<void(TVexRasConnect *Sender, bool StatusChanged)>;

    // The owner must be a form (a widget) without another TVexRasConnect. Throws Exception on the
    // owner checks, on an entry whose properties cannot be probed and when RasGetEntryProperties
    // cannot be resolved.
    explicit TVexRasConnect(QObject *owner);
    ~TVexRasConnect() override;

    const QStringList &AvailableEntries() const { return m_availableEntries; }
    const QStringList &AvailableNumbers() const { return m_availableNumbers; }
    QString ConnectedEntry() const { return m_connectedEntry; }
    QString ConnectedNumber() const { return m_connectedNumber; }
    QString Status() const { return m_status; }
    bool IsConnected() const { return m_isConnected; }
    // Every connection of the last poll in the state "connected", in RAS's order. Unlike
    // ConnectedEntry (the last connection of the walk, which may still be dialling), each link
    // carries its own entry and number.
    const QList<TConnectedLink> &ConnectedLinks() const { return m_connectedLinks; }

    TConnectionStatusEvent OnConnectionStatus;
    TStausChangeEvent OnStatusChange;

    TLanguage Language() const { return m_language; }
    void SetLanguage(TLanguage value);
    bool DoTimer() const { return m_doTimer; }
    void SetDoTimer(bool value);

    // One poll and its reports, as the timer runs it.
    void Poll();

    // The status text of a RAS state in a language; empty for a state the monitor does not know.
    static QString StateText(quint32 rasState, TLanguage language);

private:
    std::vector<std::string> FillEntries();   // the names as RAS spelled them
    void FillNumbers(const std::vector<std::string> &rawEntries);
    void RefreshState();
    void Report();
    QString DecodeRasText(const std::string &bytes) const;
    QString LookUpNumber(const QString &entry) const;
    bool wasConnected(quint64 handle) const;

    bool m_doTimer = false;
    QStringList m_availableEntries;
    QStringList m_availableNumbers;
    QString m_connectedNumber;
    QString m_connectedEntry;
    bool m_isConnected = false;
    bool m_statusChanged = false;
    TLanguage m_language = TLanguage::croatian;
    QTimer *m_pollTimer = nullptr;
    quint32 m_entryCount = 0;
    QString m_status;
    TCStatus m_phase = TCStatus::disconnected;
    qint32 m_phasePolls = 0;
    bool m_stateRecognised = false;   // the last poll saw a state of the table
    QList<TConnectedLink> m_connectedLinks;
};
