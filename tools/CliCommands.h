#pragma once
// The subcommands of minutrix-cli. Each takes the arguments after the program name (the
// subcommand first), returns the complete UTF-8 output, and throws CliExit on failure, so that
// nothing reaches stdout when the command fails.
#include <QByteArray>
#include <QStringList>

QByteArray RunEaster(const QStringList &args);
QByteArray RunHolidays(const QStringList &args);
QByteArray RunCost(const QStringList &args);
QByteArray RunTariffs(const QStringList &args);
QByteArray RunPrices(const QStringList &args);
QByteArray RunLog(const QStringList &args);
QByteArray RunSummary(const QStringList &args);
QByteArray RunSettings(const QStringList &args);
QByteArray RunLanguage(const QStringList &args);
// Built with the evaluation's widget-free library (Qt Gui); they write files and print nothing.
QByteArray RunExport(const QStringList &args);
QByteArray RunChart(const QStringList &args);
QByteArray RunPrint(const QStringList &args);
// Built with the evaluation's widget-free library too; they print their answers.
QByteArray RunCompare(const QStringList &args);
QByteArray RunYear(const QStringList &args);
