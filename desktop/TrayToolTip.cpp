#include "desktop/TrayToolTip.h"

#include <QLocale>
#include <cmath>

namespace {
// Euros to the cent in the regional settings, as the main window shows costs.
QString euros(double value) { return QLocale::system().toString(value, 'f', 2) + QStringLiteral(" €"); }
}

QString TrayToolTip(const TTrayState &s)
{
    QStringList lines;
    if (s.Online) {
        lines << QStringLiteral("Minutrix – online") << QStringLiteral("Kosten: ") + s.Kosten
              << QStringLiteral("Dauer: ") + s.Dauer
              << (s.Tarife.size() > 1 ? QStringLiteral("Tarife: ") : QStringLiteral("Tarif: "))
                     + s.Tarife.join(QStringLiteral(", "));
    } else {
        lines << QStringLiteral("Minutrix – offline");
    }
    lines << QStringLiteral("Diesen Monat: %1 von %2")
                 .arg(euros(std::nearbyint(s.MonatsSumme) / 100.0), euros(s.GesamtLimit));
    return lines.join(QLatin1Char('\n'));
}
