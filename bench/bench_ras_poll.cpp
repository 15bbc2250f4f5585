// One poll of the Linux RAS modules: pppd's over a tree with 20 peers and one running pppd, and
// NetworkManager's with 20 profiles and 2 active connections in its cache (the poll never touches
// the bus): the raw RAS calls of a poll, and (where widgets are built) a whole TVexRasConnect::Poll
// with its reports. The monitor polls twice a second on the main thread, so a poll should stay well
// under 0.5 ms.
#include "dialup/Ras.h"
#include "dialup/RasNetworkManager.h"
#include "tests/support/FakeRas.h"

#include <benchmark/benchmark.h>

#if __has_include(<QWidget>)
#include "dialup/VexRasConnect.h"
#include <QApplication>
#include <QWidget>
#define MINUTRIX_BENCH_MONITOR 1
#endif

#include <vector>

namespace {
void layOut(const PppdTree &tree)
{
    for (int i = 0; i < 20; ++i) {
        const QString name = QStringLiteral("peer%1").arg(i, 2, 10, QLatin1Char('0'));
        tree.addPeer(name,
                     "/dev/ttyS0\n115200\nconnect \"/usr/sbin/chat -v -f /etc/chatscripts/" + name.toUtf8() + "\"\n");
        tree.write(QStringLiteral("etc/chatscripts/") + name,
                   "ABORT BUSY\n'' ATZ\nOK ATDT0192" + QByteArray::number(i) + "\nCONNECT ''\n");
    }
    tree.startPppd(4711, QStringLiteral("peer07"), {"updetach"});
    tree.writeLinkPidFile(4711, QStringLiteral("peer07"), QStringLiteral("ppp0"));
    tree.writeUnitPidFile(4711, QStringLiteral("ppp0"));
    tree.setInterface(QStringLiteral("ppp0"), 0x1091, "1\n");
}

// 20 profiles (18 mobile broadband, a metered hotspot, a PPPoE line), a modem connected and the
// hotspot activating. The bus is one that never connects, so only the cache answers.
void fillNetworkManager(NetworkManagerRasModule &module)
{
    NmCache &cache = module.Cache();
    for (int i = 0; i < 20; ++i) {
        const QString type = i == 18   ? QStringLiteral("802-11-wireless")
                             : i == 19 ? QStringLiteral("pppoe")
                                       : QStringLiteral("gsm");
        cache.setProfile(QStringLiteral("/s/%1").arg(i),
                         NmEntry{QStringLiteral("profile%1").arg(i, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("apn%1.example").arg(i), type});
    }
    cache.setActiveList({QStringLiteral("/a/0"), QStringLiteral("/a/1")});
    cache.setActive(QStringLiteral("/a/0"), QStringLiteral("/s/7"), NmActiveActivated, {QStringLiteral("/d/0")});
    cache.setActive(QStringLiteral("/a/1"), QStringLiteral("/s/18"), NmActiveActivating, {QStringLiteral("/d/1")});
    cache.takeUnknownDevices();
    cache.setDevice(QStringLiteral("/d/0"), NmDeviceActivated, QStringLiteral("cdc-wdm0"), QStringLiteral("wwan0"));
    cache.setDevice(QStringLiteral("/d/1"), NmDeviceConfig, QStringLiteral("wlan0"), QString());
}

NetworkManagerRasModule::BusOpener noBus()
{
    return [] { return QDBusConnection(QStringLiteral("no bus")); };
}

// The RAS calls of one poll; the connection states seen, in order.
std::vector<RasDword> pollConnections(std::vector<unsigned char> &connections)
{
    std::fill(connections.begin(), connections.end(), 0);
    WriteRasDword(connections.data(), RasLayout::ConnSize);
    RasDword bytes = RasDword(connections.size()), count = 0;
    RasEnumConnectionsA(connections.data(), &bytes, &count);
    std::vector<RasDword> states;
    unsigned char status[RasLayout::ConnStatusSize] = {};
    WriteRasDword(status, RasLayout::ConnStatusSize);
    for (RasDword i = 0; i < count; ++i) {
        RasGetConnectStatusA(ReadRasHandle(connections.data() + i * RasLayout::ConnStride + RasLayout::Conn_hrasconn),
                             status);
        states.push_back(ReadRasDword(status + RasLayout::ConnStatus_rasconnstate));
    }
    return states;
}

void BM_NetworkManagerPoll(benchmark::State &state)
{
    NetworkManagerRasModule module(noBus());
    fillNetworkManager(module);
    SetRasModule(&module);
    std::vector<unsigned char> connections(RasLayout::MaxConnections * RasLayout::ConnStride);
    for (auto _ : state) {
        const std::vector<RasDword> states = pollConnections(connections);
        if (states != std::vector<RasDword>{RASCS_Connected, RASCS_DeviceConnected}) {
            state.SkipWithError("the two active connections were not seen");
            break;
        }
        benchmark::DoNotOptimize(states);
    }
    SetRasModule(nullptr);
}
BENCHMARK(BM_NetworkManagerPoll)->Unit(benchmark::kMicrosecond);

void BM_RasModulePoll(benchmark::State &state)
{
    PppdTree tree;
    layOut(tree);
    std::vector<unsigned char> connections(RasLayout::MaxConnections * RasLayout::ConnStride);
    unsigned char status[RasLayout::ConnStatusSize];
    for (auto _ : state) {
        std::fill(connections.begin(), connections.end(), 0);
        WriteRasDword(connections.data(), RasLayout::ConnSize);
        RasDword bytes = RasDword(connections.size()), count = 0;
        RasEnumConnectionsA(connections.data(), &bytes, &count);
        std::fill(std::begin(status), std::end(status), 0);
        WriteRasDword(status, RasLayout::ConnStatusSize);
        for (RasDword i = 0; i < count; ++i)
            RasGetConnectStatusA(
                ReadRasHandle(connections.data() + i * RasLayout::ConnStride + RasLayout::Conn_hrasconn), status);
        if (count != 1 || ReadRasDword(status + RasLayout::ConnStatus_rasconnstate) != RASCS_Connected) {
            state.SkipWithError("the running pppd was not seen as connected");
            break;
        }
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_RasModulePoll)->Unit(benchmark::kMicrosecond);

#ifdef MINUTRIX_BENCH_MONITOR
void BM_MonitorPoll(benchmark::State &state)
{
    PppdTree tree;
    layOut(tree);
    QWidget form;
    TVexRasConnect monitor(&form);
    bool changed = false;
    monitor.OnStatusChange = [&changed](TVexRasConnect *, bool c) { changed = c; };
    for (auto _ : state) {
        monitor.Poll();
        benchmark::DoNotOptimize(changed);
    }
    if (!monitor.IsConnected() || monitor.ConnectedNumber() != QStringLiteral("01927"))
        state.SkipWithError("wrong result");
}
BENCHMARK(BM_MonitorPoll)->Unit(benchmark::kMicrosecond);

void BM_MonitorPollNetworkManager(benchmark::State &state)
{
    NetworkManagerRasModule module(noBus());
    fillNetworkManager(module);
    SetRasModule(&module);
    {
        QWidget form;
        TVexRasConnect monitor(&form);
        bool changed = false;
        monitor.OnStatusChange = [&changed](TVexRasConnect *, bool c) { changed = c; };
        for (auto _ : state) {
            monitor.Poll();
            benchmark::DoNotOptimize(changed);
        }
        // The modem's connection is up; the last one in the walk (the hotspot) gives the entry.
        if (!monitor.IsConnected() || monitor.ConnectedNumber() != QStringLiteral("apn18.example"))
            state.SkipWithError("wrong result");
    }
    SetRasModule(nullptr);
}
BENCHMARK(BM_MonitorPollNetworkManager)->Unit(benchmark::kMicrosecond);
#endif
}

int main(int argc, char **argv)
{
#ifdef MINUTRIX_BENCH_MONITOR
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);   // the monitor's owner is a widget
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
