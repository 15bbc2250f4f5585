#pragma once
// The error report as the user sees it. InstallErrorReport makes ReportError (core/ErrorReport.h) show
// known warnings plainly and offer every other text for reporting.
#include <QString>
#include <functional>

class QWidget;

// Shows the report for one message (what ReportError does once installed).
void ShowErrorReport(const QString &message);

// Installs ShowErrorReport as the handler of ReportError. The feedback window, made at the first
// report, opens over the window `parent` names then: a report may come while the main window is
// still being created.
void InstallErrorReport(std::function<QWidget *()> parent = {});

// What happens when the user agrees to report: by default the feedback window shows the message
// (tests set a recorder). An empty handler makes agreeing only close the question.
void SetReportAcceptedHandler(std::function<void(const QString &message)> handler);

// The question asked before a report is sent.
QString ReportQuestionText(const QString &message);
