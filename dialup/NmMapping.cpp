#include "dialup/NmMapping.h"

#include <QByteArray>

namespace {
QVariant value(const NmSettings &settings, const QString &setting, const QString &key)
{
    return settings.value(setting).value(key);
}

QString text(const NmSettings &settings, const QString &setting, const QString &key)
{
    return value(settings, setting, key).toString();
}

QString type(const NmSettings &settings)
{
    return text(settings, QStringLiteral("connection"), QStringLiteral("type"));
}

bool isDialUpBluetooth(const NmSettings &settings)
{
    return type(settings) == QLatin1String("bluetooth")
           && text(settings, QStringLiteral("bluetooth"), QStringLiteral("type")) == QLatin1String("dun");
}

QString gsmNumber(const NmSettings &settings) { return text(settings, QStringLiteral("gsm"), QStringLiteral("apn")); }

// CDMA modems dial "#777" unless the profile says otherwise.
QString cdmaNumber(const NmSettings &settings)
{
    const QString number = text(settings, QStringLiteral("cdma"), QStringLiteral("number"));
    return number.isEmpty() ? QStringLiteral("#777") : number;
}
}

bool NmQualifies(const NmSettings &settings)
{
    const QString t = type(settings);
    // A tunnel rides on another link: counting it would count that link's time twice.
    if (t == QLatin1String("vpn") || t == QLatin1String("wireguard")) return false;
    if (t == QLatin1String("gsm") || t == QLatin1String("cdma") || t == QLatin1String("pppoe")
        || t == QLatin1String("adsl") || isDialUpBluetooth(settings))
        return true;
    // connection.metered: 0 unknown, 1 yes, 2 no.
    const QVariant metered = value(settings, QStringLiteral("connection"), QStringLiteral("metered"));
    bool isInt = false;
    return metered.toInt(&isInt) == 1 && isInt;
}

QString NmNumber(const NmSettings &settings)
{
    const QString t = type(settings);
    if (t == QLatin1String("gsm")) return gsmNumber(settings);
    if (t == QLatin1String("cdma")) return cdmaNumber(settings);
    if (isDialUpBluetooth(settings)) {
        if (settings.contains(QStringLiteral("gsm"))) return gsmNumber(settings);
        if (settings.contains(QStringLiteral("cdma"))) return cdmaNumber(settings);
        return {};
    }
    if (t == QLatin1String("pppoe")) return text(settings, QStringLiteral("pppoe"), QStringLiteral("service"));
    if (t == QLatin1String("802-11-wireless")) {
        // The SSID is bytes; shown as UTF-8, as the desktop shows it.
        const QVariant ssid = value(settings, QStringLiteral("802-11-wireless"), QStringLiteral("ssid"));
        return QString::fromUtf8(ssid.toByteArray());
    }
    return {};
}

std::optional<NmEntry> NmPhonebookEntry(const NmSettings &settings)
{
    if (!NmQualifies(settings)) return std::nullopt;
    return NmEntry{text(settings, QStringLiteral("connection"), QStringLiteral("id")), NmNumber(settings),
                   type(settings)};
}

RasDword NmRasState(quint32 activeState, quint32 deviceState)
{
    switch (activeState) {
    case NmActiveActivated: return RASCS_Connected;
    case NmActiveDeactivating:
    case NmActiveDeactivated: return RASCS_Disconnected;
    case NmActiveActivating: break;
    default: return NmUnknownRasState;
    }
    // The device walks prepare, config, (need-auth), ip-config, ip-check, secondaries; PPP
    // authenticates while the addresses are negotiated, so ip-config stands for the login.
    switch (deviceState) {
    case NmDevicePrepare: return RASCS_ConnectDevice;
    case NmDeviceConfig: return RASCS_DeviceConnected;
    case NmDeviceNeedAuth: return RASCS_StartAuthentication;
    case NmDeviceIpConfig: return RASCS_Authenticate;
    case NmDeviceIpCheck:
    case NmDeviceSecondaries:
    case NmDeviceActivated: return RASCS_LogonNetwork;
    case NmDeviceDeactivating:
    case NmDeviceFailed: return RASCS_Disconnected;
    default: return RASCS_OpenPort;   // no device yet, or one not yet taken up
    }
}

QString NmInterfaceName(const QString &ipInterface, const QString &interface)
{
    return ipInterface.isEmpty() ? interface : ipInterface;
}

std::string NmUtf8(const QString &text, std::size_t maxBytes)
{
    const QByteArray utf8 = text.toUtf8();
    std::size_t n = std::min<std::size_t>(std::size_t(utf8.size()), maxBytes);
    // Back up over continuation bytes (10xxxxxx) to the start of the character that did not fit.
    if (n < std::size_t(utf8.size()))
        while (n > 0 && (static_cast<unsigned char>(utf8[qsizetype(n)]) & 0xC0) == 0x80) --n;
    return std::string(utf8.constData(), n);
}
