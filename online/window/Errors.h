#pragma once
// The error report as the user sees it. InstallErrorReport makes ReportError (core/Report.h) show
// known warnings plainly and offer every other text for reporting.
#include <QString>
#include <functional>

// Shows the report for one message (what ReportError does once installed).
void ShowErrorReport(const QString &message);

// Installs ShowErrorReport as the handler of ReportError.
void InstallErrorReport();

// What happens when the user agrees to report: by default the feedback window shows the message
// (tests set a recorder). An empty handler makes agreeing only close the question.
void SetReportAcceptedHandler(std::function<void(const QString &message)> handler);

// The question asked before a report is sent.
QString ReportQuestionText(const QString &message);
