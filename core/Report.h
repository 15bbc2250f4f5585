#pragma once
// The single error report. Core code calls ReportError; the online module installs the handler
// that shows the report at start-up, tests install a recorder. Without a handler the text goes to stderr.
#include <QString>
#include <functional>

void ReportError(const QString &message);
void SetReportHandler(std::function<void(const QString &)> handler);
