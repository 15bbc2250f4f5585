#include "online/window/Errors.h"

#include "core/ErrorReport.h"
#include "core/Language.h"
#include "online/window/Feedback.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>

namespace {
std::function<QWidget *()> &reportParent()
{
    static std::function<QWidget *()> parent;
    return parent;
}

// The report in the feedback window, which a report during the main window's creation makes.
void showInFeedbackForm(const QString &message)
{
    CreateFeedbackForm(reportParent() ? reportParent()() : nullptr)->ShowReport(message);
}

std::function<void(const QString &)> &acceptedHandler()
{
    static std::function<void(const QString &)> h = showInFeedbackForm;
    return h;
}

// The four warnings the program shows as they are, without offering a report.
bool isPlainWarning(const QString &message)
{
    return message == W_NoTarif || message == W_ReallyClose || message == W_InstallNewAndClose
           || message == W_LimitReached;
}
}

QString ReportQuestionText(const QString &message)
{
    return QCoreApplication::translate("ErrorReport", "Es trat folgender Fehler auf:") + QStringLiteral("\r\n")
           + message + QStringLiteral("\r\n")
           + QCoreApplication::translate(
               "ErrorReport", "Möchten Sie diesen Fehler jetzt melden? Dazu wird eine Internetverbindung aufgebaut!");
}

void ShowErrorReport(const QString &message)
{
    if (isPlainWarning(message)) {
        MessageBox::ShowMessage(message);
        return;
    }
    const auto answer = MessageBox::Show(QStringLiteral("Warning"), ReportQuestionText(message), MessageBox::Warning,
                                         {MessageBox::Yes, MessageBox::No});
    if (answer != MessageBox::Yes) return;
    if (acceptedHandler()) acceptedHandler()(message);
}

void InstallErrorReport(std::function<QWidget *()> parent)
{
    reportParent() = std::move(parent);
    SetReportHandler(ShowErrorReport);
}

void SetReportAcceptedHandler(std::function<void(const QString &)> handler) { acceptedHandler() = std::move(handler); }
