#include "desktop/Autostart.h"

#include "core/Exception.h"
#include "desktop/DesktopSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
// One argument of Exec: quoted, with the characters that are special inside the quotes escaped,
// then escaped once more as any string value of a desktop entry is; '%' would start a field code.
QString execArgument(const QString &program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
}

QString AutostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/de.minutrix.Minutrix.desktop");
}

bool AutostartOn() { return QFileInfo::exists(AutostartPath()); }

QString AutostartEntry(const QString &program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Minutrix\n"
                          "Comment=Verbindungskosten-Monitor\n"
                          "Exec=%1\n"
                          "Icon=de.minutrix.Minutrix\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(program));
}

void SetAutostart(bool on, const QString &program)
{
    const QString path = AutostartPath();
    if (on) {
        QDir().mkpath(QFileInfo(path).path());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(AutostartEntry(program).toUtf8()) < 0 || !file.commit())
            throw Exception(QStringLiteral("Cannot create file ") + path);
    } else if (QFileInfo::exists(path) && !QFile::remove(path)) {
        throw Exception(QStringLiteral("Cannot delete file ") + path);
    }
    TDesktopSettings s = LoadDesktopSettings();
    s.Autostart = on;
    SaveDesktopSettings(s);
}
