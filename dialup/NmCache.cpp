#include "dialup/NmCache.h"

#include <algorithm>
#include <tuple>

void NmCache::setProfile(const QString &path, const std::optional<NmEntry> &entry)
{
    if (!entry) {
        removeProfile(path);
        return;
    }
    const auto found = m_profiles.find(path);
    if (found != m_profiles.end() && found->second == *entry) return;
    m_profiles[path] = *entry;
    entriesChanged();
}

void NmCache::removeProfile(const QString &path)
{
    if (m_profiles.erase(path)) entriesChanged();
}

QStringList NmCache::setActiveList(const QStringList &paths)
{
    QStringList added;
    QHash<QString, Active> kept;
    for (const QString &path : paths) {
        if (kept.contains(path)) continue;
        if (const auto found = m_actives.constFind(path); found != m_actives.cend()) {
            kept.insert(path, *found);
        } else {
            Active fresh;
            fresh.handle = NmHandleBit | ++m_nextHandle;
            kept.insert(path, fresh);
            added << path;
        }
    }
    m_actives = std::move(kept);
    m_activeOrder = paths;
    m_activeOrder.removeDuplicates();
    forgetUnusedDevices();
    return added;
}

void NmCache::setActive(const QString &path, const QString &profile, quint32 state, const QStringList &devices)
{
    const auto found = m_actives.find(path);
    if (found == m_actives.end()) return;   // left the list while its properties were on their way
    found->profile = profile;
    found->state = state;
    found->devices = devices;
    forgetUnusedDevices();
}

void NmCache::setActiveState(const QString &path, quint32 state)
{
    if (const auto found = m_actives.find(path); found != m_actives.end()) found->state = state;
}

void NmCache::setActiveDevices(const QString &path, const QStringList &devices)
{
    if (const auto found = m_actives.find(path); found != m_actives.end()) {
        found->devices = devices;
        forgetUnusedDevices();
    }
}

QStringList NmCache::takeUnknownDevices()
{
    QStringList unknown;
    for (const Active &active : std::as_const(m_actives))
        for (const QString &device : active.devices)
            if (!m_devices.contains(device)) {
                m_devices[device].asked = true;
                unknown << device;
            }
    return unknown;
}

void NmCache::setDevice(const QString &path, quint32 state, const QString &interface, const QString &ipInterface)
{
    const auto found = m_devices.find(path);
    if (found == m_devices.end()) return;   // no longer used by any listed connection
    found->state = state;
    found->interface = interface;
    found->ipInterface = ipInterface;
}

void NmCache::setDeviceState(const QString &path, quint32 state)
{
    if (const auto found = m_devices.find(path); found != m_devices.end()) found->state = state;
}

void NmCache::setDeviceInterfaces(const QString &path, const std::optional<QString> &interface,
                                  const std::optional<QString> &ipInterface)
{
    const auto found = m_devices.find(path);
    if (found == m_devices.end()) return;
    if (interface) found->interface = *interface;
    if (ipInterface) found->ipInterface = *ipInterface;
}

void NmCache::clear()
{
    const bool hadEntries = !m_profiles.empty();
    m_profiles.clear();
    m_activeOrder.clear();
    m_actives.clear();
    m_devices.clear();
    if (hadEntries) entriesChanged();
}

const NmCache::Entry *NmCache::findEntry(const std::string &name) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.name == name; });
    return found == m_entries.end() ? nullptr : &*found;
}

std::vector<NmCache::Connection> NmCache::connections() const
{
    using namespace RasLayout;
    std::vector<Connection> listed;
    for (const QString &path : m_activeOrder) {
        const Active &active = m_actives[path];
        // Only connections of phonebook entries: a VPN or the office's Ethernet is no dial-up.
        const auto profile = active.profile.isEmpty() ? m_profiles.end() : m_profiles.find(active.profile);
        if (profile == m_profiles.end()) continue;
        QString interface;
        if (!active.devices.isEmpty())
            if (const auto device = m_devices.constFind(active.devices.first()); device != m_devices.cend())
                interface = NmInterfaceName(device->ipInterface, device->interface);
        listed.push_back(Connection{active.handle, NmUtf8(profile->second.name, EntryNameCapacity - 1),
                                    NmUtf8(profile->second.type, DeviceTypeCapacity - 1),
                                    NmUtf8(interface, DeviceNameCapacity - 1), rasState(active)});
    }
    return listed;
}

std::optional<RasDword> NmCache::state(RasHandle handle) const
{
    const Active *active = activeByHandle(handle);
    if (!active) return std::nullopt;
    return rasState(*active);
}

const NmCache::Active *NmCache::activeByHandle(RasHandle handle) const
{
    for (const Active &active : m_actives)
        if (active.handle == handle) return &active;
    return nullptr;
}

RasDword NmCache::rasState(const Active &active) const
{
    quint32 deviceState = NmDeviceUnknown;
    if (!active.devices.isEmpty())
        if (const auto device = m_devices.constFind(active.devices.first()); device != m_devices.cend())
            deviceState = device->state;
    return NmRasState(active.state, deviceState);
}

void NmCache::forgetUnusedDevices()
{
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        const bool used = std::any_of(m_actives.cbegin(), m_actives.cend(),
                                      [&](const Active &a) { return a.devices.contains(it.key()); });
        it = used ? std::next(it) : m_devices.erase(it);
    }
}

void NmCache::entriesChanged()
{
    using namespace RasLayout;
    std::vector<std::tuple<QString, QString, Entry>> sorted;   // name, path, entry
    for (const auto &[path, profile] : m_profiles)
        sorted.emplace_back(
            profile.name, path,
            Entry{NmUtf8(profile.name, EntryNameCapacity - 1), NmUtf8(profile.number, PhoneNumberCapacity - 1)});
    std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<Entry> entries;
    for (auto &item : sorted) entries.push_back(std::move(std::get<2>(item)));
    const bool same =
        entries.size() == m_entries.size()
        && std::equal(entries.begin(), entries.end(), m_entries.begin(),
                      [](const Entry &a, const Entry &b) { return a.name == b.name && a.number == b.number; });
    m_entries = std::move(entries);
    if (!same) ++m_generation;
}
