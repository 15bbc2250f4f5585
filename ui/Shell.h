#pragma once
// The program's contacts with the desktop, each through one wrapper so tests can stand in for the
// user: opening a web page or a file with the desktop's opener, the save-file dialog and the print
// dialog. In test mode nothing is shown or opened: URLs are recorded and dialogs give the queued
// answers.
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace Shell {

// "open": a web page in the default browser, a local file with its program. False when the
// desktop had no opener for it or the opener could not be started.
bool Open(const QString &urlOrFile);

// The save dialog; an empty text when cancelled. defaultSuffix without its dot ("txt").
QString SaveFileName(QWidget *parent, const QString &defaultSuffix, const QString &filter);

// The print dialog on printer; false when cancelled. The copy count chosen is left in *copies.
bool Print(QWidget *parent, QPrinter &printer, int *copies);

// Test seam.
void SetTestMode(bool on);
QStringList &Opened();
void SetOpenFails(bool fails);                   // every Open is recorded and then answers as failed
void SetNextFileName(const QString &fileName);   // an empty name answers as a cancel
// nullopt answers as a cancel; a pdfFile makes the printer write that PDF file, on pageSize if valid.
void SetNextPrint(std::optional<int> copies, const QString &pdfFile = QString(), const QPageSize &pageSize = {});

}
