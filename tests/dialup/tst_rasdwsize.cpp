// The RAS modules the program and its tests run on without Windows answer dwSize as RAS does: the
// size the layer writes on this build is taken, any other, the other pointer width's included,
// gets ERROR_INVALID_SIZE. Both modules run the same table.
#include "FakeRas.h"
#include "Ras.h"

#include <QTest>

#include <algorithm>
#include <optional>
#include <vector>

namespace {
enum class Module { Pppd, Fake };
enum class Call { EnumEntries, EnumConnections, GetConnectStatus, GetEntryProperties };

// One phonebook entry "provider" (number 0192658), connected.
class Provider
{
public:
    explicit Provider(Module module)
    {
        if (module == Module::Fake) {
            m_fake.emplace();
            m_fake->addEntry(QStringLiteral("provider"), QStringLiteral("0192658"));
            m_fake->setConnection(QStringLiteral("provider"), RASCS_Connected);
            return;
        }
        m_tree.emplace();
        m_tree->addPeer(QStringLiteral("provider"), "connect \"chat '' ATDT0192658\"\n");
        m_tree->startPppd(55, QStringLiteral("provider"));
        m_tree->writeUnitPidFile(55, QStringLiteral("ppp0"));
        m_tree->setInterface(QStringLiteral("ppp0"), 0x1091, "1\n");
    }

private:
    std::optional<FakeRas> m_fake;
    std::optional<PppdTree> m_tree;
};

std::vector<unsigned char> withDwSize(std::size_t bytes, RasDword dwSize)
{
    std::vector<unsigned char> buffer(bytes, 0);
    WriteRasDword(buffer.data(), dwSize);
    return buffer;
}

// The connection's handle, enumerated with the right size.
RasHandle firstConnection()
{
    auto buffer = withDwSize(RasLayout::MaxConnections * RasLayout::ConnStride, RasLayout::ConnSize);
    RasDword bytes = RasDword(buffer.size()), count = 0;
    if (RasEnumConnectionsA(buffer.data(), &bytes, &count) != RAS_SUCCESS || count != 1) return 0;
    return ReadRasHandle(buffer.data() + RasLayout::Conn_hrasconn);
}

// The call's result and, on success, what it read: "0 provider", "0 8192", "632".
QString call(Call which, RasDword dwSize)
{
    using namespace RasLayout;
    RasDword result = 0;
    QString answer;
    switch (which) {
    case Call::EnumEntries: {
        auto buffer = withDwSize(4 * EntryNameStride, dwSize);
        RasDword bytes = RasDword(buffer.size()), count = 0;
        result = RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count);
        if (count == 1)
            answer = QString::fromStdString(ReadRasString(buffer.data() + EntryName_szEntryName, EntryNameCapacity));
        break;
    }
    case Call::EnumConnections: {
        auto buffer = withDwSize(MaxConnections * ConnStride, dwSize);
        RasDword bytes = RasDword(buffer.size()), count = 0;
        result = RasEnumConnectionsA(buffer.data(), &bytes, &count);
        if (count == 1)
            answer = QString::fromStdString(ReadRasString(buffer.data() + Conn_szEntryName, EntryNameCapacity));
        break;
    }
    case Call::GetConnectStatus: {
        const RasHandle handle = firstConnection();
        if (handle == 0) return QStringLiteral("no connection enumerated");
        auto status = withDwSize(ConnStatusSize, dwSize);
        result = RasGetConnectStatusA(handle, status.data());
        answer = QString::number(ReadRasDword(status.data() + ConnStatus_rasconnstate));
        break;
    }
    case Call::GetEntryProperties: {
        auto entry = withDwSize(EntrySize, dwSize);
        RasDword size = EntrySize, info = 0;
        result = RasGetEntryProperties(nullptr, "provider", entry.data(), &size, nullptr, &info);
        answer = QString::fromStdString(ReadRasString(entry.data() + Entry_szLocalPhoneNumber, PhoneNumberCapacity));
        break;
    }
    }
    return result == RAS_SUCCESS ? QStringLiteral("0 ") + answer : QString::number(result);
}
}

Q_DECLARE_METATYPE(Module)
Q_DECLARE_METATYPE(Call)

class TestRasDwSize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dwSize_data()
    {
        QTest::addColumn<Module>("module");
        QTest::addColumn<Call>("call");
        QTest::addColumn<RasDword>("dwSize");
        QTest::addColumn<QString>("answer");

        const bool wide = sizeof(void *) == 8;
        const RasDword otherWidthConn = wide ? 412 : 416;
        const QString refused = QString::number(ERROR_INVALID_SIZE);
        struct Structure
        {
            const char *name;
            Call call;
            RasDword size;
            QString answer;
        };
        const Structure structures[] = {
            {"RASENTRYNAME", Call::EnumEntries, 264, QStringLiteral("0 provider")},
            {"RASCONN", Call::EnumConnections, wide ? 416u : 412u, QStringLiteral("0 provider")},
            {"RASCONNSTATUS", Call::GetConnectStatus, 160, QStringLiteral("0 %1").arg(RASCS_Connected)},
            {"RASENTRY", Call::GetEntryProperties, 1768, QStringLiteral("0 0192658")},
        };
        for (const auto &[moduleName, module] : {std::pair{"pppd", Module::Pppd}, std::pair{"fake", Module::Fake}}) {
            for (const Structure &s : structures) {
                QTest::addRow("%s %s, this build's size", moduleName, s.name) << module << s.call << s.size << s.answer;
                QTest::addRow("%s %s, 0", moduleName, s.name) << module << s.call << RasDword(0) << refused;
                QTest::addRow("%s %s, 4 more", moduleName, s.name) << module << s.call << s.size + 4 << refused;
            }
            QTest::addRow("%s RASCONN, the other pointer width's size", moduleName)
                << module << Call::EnumConnections << otherWidthConn << refused;
        }
    }
    void dwSize()
    {
        QFETCH(Module, module);
        QFETCH(Call, call);
        QFETCH(RasDword, dwSize);
        const Provider provider(module);
        QTEST(::call(call, dwSize), "answer");
    }
};

QTEST_GUILESS_MAIN(TestRasDwSize)
#include "tst_rasdwsize.moc"
