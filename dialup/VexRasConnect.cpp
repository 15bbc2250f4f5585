#include "dialup/VexRasConnect.h"

#include "core/Exception.h"
#include "core/Win1252.h"
#include "dialup/Ras.h"

#include <QStringDecoder>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <vector>

namespace {
struct StateRow
{
    RasDword state;
    TCStatus phase;
    const char16_t *english;
    const char16_t *croatian;   // Central European text, kept as Unicode
};

const StateRow StateRows[] = {
    {RASCS_OpenPort, TCStatus::connecting, u"Opening comm port", u"Otvaranje komunikacijskog porta"},
    {RASCS_PortOpened, TCStatus::connecting, u"Comm port opened", u"Komunikacijski port je otvoren"},
    {RASCS_ConnectDevice, TCStatus::connecting, u"A device is about to be connected", u"Spajamo se na mre\u017Eu"},
    {RASCS_DeviceConnected, TCStatus::connecting, u"A device has connected successfully",
     u"Ure\u0111aj se uspje\u0161no spojio"},
    {RASCS_AllDevicesConnected, TCStatus::connecting, u"All devices in the device chain have successfully connected",
     u"Svi ure\u0111aji su se uspje\u0161no spojili"},
    {RASCS_Authenticate, TCStatus::authenticating, u"The authentication process is starting",
     u"Po\u010Dinje provjera podataka"},
    {RASCS_StartAuthentication, TCStatus::authenticating, u"User authentication is being initiated or retried",
     u"Po\u010Dinje provjera podataka"},
    {RASCS_Authenticated, TCStatus::authenticating, u"The client has successfully completed authentication",
     u"Podaci su provjereni"},
    {RASCS_LogonNetwork, TCStatus::connecting, u"Client is logging on to the network", u"Logiranje na mre\u017Eu"},
    {RASCS_Connected, TCStatus::connected, u"Connected succesfully", u"Spojeni smo"},
    {RASCS_Disconnected, TCStatus::disconnected, u"Disconnected or failed connection", u"Nismo spojeni"},
};

const StateRow *findRow(RasDword state)
{
    for (const StateRow &row : StateRows)
        if (row.state == state) return &row;
    return nullptr;
}

QString rowText(const StateRow &row, TLanguage language)
{
    return QString::fromUtf16(language == TLanguage::english ? row.english : row.croatian);
}

QString noConnectionText(TLanguage language) { return rowText(*findRow(RASCS_Disconnected), language); }

std::vector<unsigned char> zeroedBuffer(std::size_t bytes) { return std::vector<unsigned char>(bytes, 0); }
}

QString TVexRasConnect::StateText(quint32 rasState, TLanguage language)
{
    const StateRow *row = findRow(rasState);
    return row ? rowText(*row, language) : QString();
}

TVexRasConnect::TVexRasConnect(QObject *owner)
{
    if (!owner || !owner->isWidgetType()) throw Exception(QStringLiteral("Please drop the component onto a Form!"));
    const QObjectList &components = owner->children();
    const bool taken = std::any_of(components.begin(), components.end(), [](const QObject *c) {
        return c->metaObject() == &TVexRasConnect::staticMetaObject;   // exactly this class
    });
    if (taken) throw Exception(QStringLiteral("There is TVexRasConnect component already on this form"));

    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(500);
    connect(m_pollTimer, &QTimer::timeout, this, &TVexRasConnect::Poll);
    try {
        FillNumbers(FillEntries());
    } catch (const RasError &e) {
        throw Exception(QString::fromStdString(e.what()));
    }
    // Joined only once complete, so a failed construction leaves the owner as it was.
    setParent(owner);
}

TVexRasConnect::~TVexRasConnect() = default;

void TVexRasConnect::SetLanguage(TLanguage value)
{
    if (value != m_language) m_language = value;
}

void TVexRasConnect::SetDoTimer(bool value)
{
    m_doTimer = value;
    // Switching on a running timer must not restart its 500 ms period.
    if (value && !m_pollTimer->isActive()) m_pollTimer->start();
    if (!value) m_pollTimer->stop();
}

QString TVexRasConnect::DecodeRasText(const std::string &bytes) const
{
    if (CurrentRasModule().Encoding() == RasModule::TextEncoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (!utf8.hasError()) return text;
    }
    return FromWin1252(bytes.data(), int(bytes.size()));
}

std::vector<std::string> TVexRasConnect::FillEntries()
{
    using namespace RasLayout;
    std::vector<unsigned char> buffer = zeroedBuffer(EntryNameStride);
    WriteRasDword(buffer.data(), EntryNameSize);
    RasDword bytes = RasDword(buffer.size());
    m_entryCount = 0;
    RasDword result = RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &m_entryCount);
    if (result == ERROR_BUFFER_TOO_SMALL) {
        const RasDword asked = bytes;
        // Never smaller than one element, so that dwSize lands inside the buffer.
        buffer = zeroedBuffer(std::max<std::size_t>(asked, EntryNameStride));
        WriteRasDword(buffer.data(), EntryNameSize);
        bytes = asked;
        m_entryCount = 0;
        result = RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &m_entryCount);
    }
    std::vector<std::string> raw;
    if (result != RAS_SUCCESS) return raw;
    // A count beyond the buffer would read past its end.
    const std::size_t count = std::min<std::size_t>(m_entryCount, buffer.size() / EntryNameStride);
    for (std::size_t i = 0; i < count; ++i) {
        raw.push_back(ReadRasString(buffer.data() + i * EntryNameStride + EntryName_szEntryName, EntryNameCapacity));
        m_availableEntries.append(DecodeRasText(raw.back()));
    }
    return raw;
}

void TVexRasConnect::FillNumbers(const std::vector<std::string> &rawEntries)
{
    using namespace RasLayout;
    for (std::size_t i = 0; i < rawEntries.size(); ++i) {
        const QString name = m_availableEntries.at(qsizetype(i));
        const QString failure = m_language == TLanguage::english
                                    ? QStringLiteral("RasGetEntryProperties failed: ") + name
                                    : QStringLiteral("Ne mogu dobiti informacije o vezi ") + name;
        RasDword entrySize = 0, deviceInfoSize = 0;
        const char *entry = rawEntries[i].c_str();
        if (RasGetEntryProperties(nullptr, entry, nullptr, &entrySize, nullptr, &deviceInfoSize)
            != ERROR_BUFFER_TOO_SMALL)
            throw Exception(failure);
        // A probed size below the structure's own would put dwSize and the number outside the buffer.
        std::vector<unsigned char> buffer = zeroedBuffer(std::max<std::size_t>(entrySize, EntrySize));
        WriteRasDword(buffer.data(), EntrySize);
        QString number;
        if (RasGetEntryProperties(nullptr, entry, buffer.data(), &entrySize, nullptr, &deviceInfoSize) == RAS_SUCCESS)
            number = DecodeRasText(ReadRasString(buffer.data() + Entry_szLocalPhoneNumber, PhoneNumberCapacity));
        m_availableNumbers.append(number);
    }
}

bool TVexRasConnect::wasConnected(quint64 handle) const
{
    return std::any_of(m_connectedLinks.begin(), m_connectedLinks.end(),
                       [handle](const TConnectedLink &l) { return l.Handle == handle; });
}

QString TVexRasConnect::LookUpNumber(const QString &entry) const
{
    QString number;
    if (entry.isEmpty()) return number;
    for (qsizetype i = 0; i < m_availableNumbers.size() && i < m_availableEntries.size(); ++i)
        if (m_availableEntries.at(i) == entry) number = m_availableNumbers.at(i);   // the last match wins
    return number;
}

void TVexRasConnect::Poll()
{
    RefreshState();
    Report();
}

void TVexRasConnect::RefreshState()
{
    using namespace RasLayout;
    std::vector<unsigned char> connections = zeroedBuffer(MaxConnections * ConnStride);
    WriteRasDword(connections.data(), ConnSize);
    RasDword bytes = RasDword(connections.size());
    RasDword count = 0;
    const RasDword result = RasEnumConnectionsA(connections.data(), &bytes, &count);
    m_stateRecognised = false;

    if (result != RAS_SUCCESS || count == 0) {
        const QString text = noConnectionText(m_language);
        m_statusChanged = text != m_status;
        m_status = text;
        m_isConnected = false;
        m_connectedEntry.clear();
        m_connectedNumber.clear();
        m_phase = TCStatus::disconnected;
        m_phasePolls = 0;
        m_connectedLinks.clear();
        return;
    }

    std::vector<unsigned char> status = zeroedBuffer(ConnStatusSize);
    WriteRasDword(status.data(), ConnStatusSize);
    QString stateText, entryName, deviceName, deviceType;
    QList<TConnectedLink> links;
    const std::size_t used = std::min<std::size_t>(count, MaxConnections);   // never past the 20 elements
    for (std::size_t i = 0; i < used; ++i) {
        const unsigned char *element = connections.data() + i * ConnStride;
        const RasHandle handle = ReadRasHandle(element + Conn_hrasconn);
        RasGetConnectStatusA(handle, status.data());
        const StateRow *row = findRow(ReadRasDword(status.data() + ConnStatus_rasconnstate));
        if (row) {
            stateText = rowText(*row, m_language);
            m_stateRecognised = true;
            if (row->phase != m_phase) {
                m_phasePolls = 0;
                m_phase = row->phase;
            }
            if (m_phasePolls < std::numeric_limits<qint32>::max()) ++m_phasePolls;   // only "== 1" matters
            if (row->state == RASCS_Connected) m_isConnected = true;
            if (row->state == RASCS_Disconnected) m_isConnected = false;
        }
        const QString entry = DecodeRasText(ReadRasString(element + Conn_szEntryName, EntryNameCapacity));
        const QString device = DecodeRasText(ReadRasString(element + Conn_szDeviceName, DeviceNameCapacity));
        const QString type = DecodeRasText(ReadRasString(element + Conn_szDeviceType, DeviceTypeCapacity));
        if (!entry.isEmpty()) entryName = entry;
        if (!device.isEmpty()) deviceName = device;
        if (!type.isEmpty()) deviceType = type;
        // A link in a state the table does not know stays as the last poll saw it.
        const bool up = row ? row->state == RASCS_Connected : wasConnected(handle);
        if (up) links.append({quint64(handle), entry, LookUpNumber(entry)});
    }
    m_connectedLinks = links;
    const QString text = deviceType + QLatin1Char(' ') + deviceName + QLatin1Char(' ') + stateText;
    m_statusChanged = text != m_status;
    m_status = text;
    m_connectedEntry = entryName;
    m_connectedNumber = LookUpNumber(entryName);
}

void TVexRasConnect::Report()
{
    // Phase polls stay at 1 through polls that see only unknown states; the phase was entered
    // in this poll only if this poll recognised a state.
    if (m_phasePolls == 1 && m_stateRecognised && OnConnectionStatus) OnConnectionStatus(this, m_phase);
    if (OnStatusChange) OnStatusChange(this, m_statusChanged);
}
