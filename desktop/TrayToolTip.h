#pragma once
// The tray icon's tooltip: whether a connection is being timed, and if so its cost and duration as
// the main window shows them and its tariff; always this month's total against the overall limit.
#include <QString>
#include <QStringList>

struct TTrayState
{
    bool Online = false;
    QString Kosten;           // as LKosten shows it
    QString Dauer;            // as LDauer shows it
    QStringList Tarife;       // of the connections being timed
    double MonatsSumme = 0;   // cents, finished and running connections of this month
    double GesamtLimit = 0;   // euros
};

QString TrayToolTip(const TTrayState &state);
