#pragma once
// What a NetworkManager profile and an active connection are to the RAS layer: whether a profile
// is a phonebook entry, its name and number, and the RAS state of an active connection. Pure
// functions over the values NetworkManager hands out, so they are tested without any bus.
#include "dialup/Ras.h"

#include <QMap>
#include <QString>
#include <QVariantMap>

#include <optional>
#include <string>

// A profile's settings as GetSettings answers them (a{sa{sv}}): setting name -> key -> value.
using NmSettings = QMap<QString, QVariantMap>;

// Active connection states (NMActiveConnectionState).
constexpr quint32 NmActiveUnknown = 0;
constexpr quint32 NmActiveActivating = 1;
constexpr quint32 NmActiveActivated = 2;
constexpr quint32 NmActiveDeactivating = 3;
constexpr quint32 NmActiveDeactivated = 4;

// Device states (NMDeviceState) the dialling phases are read from.
constexpr quint32 NmDeviceUnknown = 0;
constexpr quint32 NmDeviceDisconnected = 30;
constexpr quint32 NmDevicePrepare = 40;
constexpr quint32 NmDeviceConfig = 50;
constexpr quint32 NmDeviceNeedAuth = 60;
constexpr quint32 NmDeviceIpConfig = 70;
constexpr quint32 NmDeviceIpCheck = 80;
constexpr quint32 NmDeviceSecondaries = 90;
constexpr quint32 NmDeviceActivated = 100;
constexpr quint32 NmDeviceDeactivating = 110;
constexpr quint32 NmDeviceFailed = 120;

// A RAS state the monitor does not know (RASCS_Interactive, a paused state): it leaves the
// monitor's phase as it was, which is right while NetworkManager itself does not know.
constexpr RasDword NmUnknownRasState = 0x1000;

// A profile as a phonebook entry.
struct NmEntry
{
    QString name;     // connection.id
    QString number;   // what a tariff matches beside the name
    QString type;     // connection.type, shown as the device type
    bool operator==(const NmEntry &) const = default;
};

// Whether a profile costs by the minute: mobile broadband, Bluetooth dial-up, PPPoE, ADSL, and
// every other profile the user marked metered, except tunnels over another link.
bool NmQualifies(const NmSettings &settings);
// The number of a profile: gsm: the APN; cdma: the number, "#777" when empty; Bluetooth dial-up:
// the gsm or cdma rule of its own settings; pppoe: the service; Wi-Fi: the SSID; else "".
QString NmNumber(const NmSettings &settings);
// The entry of a profile, or nothing when it is no phonebook entry.
std::optional<NmEntry> NmPhonebookEntry(const NmSettings &settings);

// The RAS state of an active connection; deviceState is NmDeviceUnknown when it has no device
// (yet). Activated is connected, deactivating and deactivated are disconnected; while activating,
// the device's state gives the dialling phase.
RasDword NmRasState(quint32 activeState, quint32 deviceState);

// The name of the link's interface: the IP interface (ppp0, wwan0) once there is one, else the
// device's own (ttyUSB2, cdc-wdm0).
QString NmInterfaceName(const QString &ipInterface, const QString &interface);

// UTF-8 of text, cut to at most maxBytes bytes without splitting a character, for the RAS
// structures' fixed string members.
std::string NmUtf8(const QString &text, std::size_t maxBytes);
