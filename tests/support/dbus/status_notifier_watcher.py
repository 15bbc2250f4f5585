'''python-dbusmock template: a StatusNotifierWatcher with a host, so the desktop has a tray.'''
import dbus

BUS_NAME = MAIN_IFACE = 'org.kde.StatusNotifierWatcher'
MAIN_OBJ = '/StatusNotifierWatcher'
SYSTEM_BUS = False


def load(mock, _parameters):
    mock.AddMethods(MAIN_IFACE, [('RegisterStatusNotifierItem', 's', '', ''), ('RegisterStatusNotifierHost', 's', '', '')])
    mock.AddProperties(MAIN_IFACE, {'IsStatusNotifierHostRegistered': True, 'ProtocolVersion': dbus.Int32(0)})
