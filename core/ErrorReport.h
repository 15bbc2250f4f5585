#pragma once
// The single error report. Core code calls ReportError; the online module installs the handler
// that shows the report at start-up, tests install a recorder. Without a handler the text goes to stderr.
// The handler always runs on the main thread: a report from another thread is queued to it.
#include <QString>
#include <QStringList>
#include <functional>

void ReportError(const QString &message);
void SetReportHandler(std::function<void(const QString &)> handler);

// While one exists, reports made on the main thread are kept here instead of being shown, so a
// step that must not open a box (the monitoring step) can hand them on to be shown afterwards.
class ReportCollector
{
public:
    ReportCollector();
    ~ReportCollector();
    ReportCollector(const ReportCollector &) = delete;
    ReportCollector &operator=(const ReportCollector &) = delete;
    QStringList Take();

private:
    friend void ReportError(const QString &message);
    QStringList m_reports;
    ReportCollector *m_outer;
};
