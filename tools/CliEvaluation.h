#pragma once
// The evaluation's outputs for scripts: export, chart and print write the same files as the
// evaluation window, through the same code.
#include <QCoreApplication>
#include <QString>
#include <memory>

// chart and print draw text and pictures, which needs a QGuiApplication; it runs offscreen, so the
// tool needs no display. Every other command gets a QCoreApplication.
std::unique_ptr<QCoreApplication> MakeCliApplication(int &argc, char **argv);
