#pragma once
// The evaluation's outputs for scripts: export, chart and print write the same files as the
// evaluation window, through the same code.
#include "core/MonatsLog.h"

#include <QCoreApplication>
#include <QString>
#include <memory>
#include <vector>

// chart and print draw text and pictures, which needs a QGuiApplication; it runs offscreen, so the
// tool needs no display. Every other command gets a QCoreApplication.
std::unique_ptr<QCoreApplication> MakeCliApplication(int &argc, char **argv);

// Through ReadAllData, as the window loads a month: whole records, a torn last piece left out. What
// the program would report (a file shorter than its header, an unreadable one) fails the command.
std::vector<TVerbindung> LoadMonthLog(const QString &path);
