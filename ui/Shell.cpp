#include "ui/Shell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace Shell {
namespace {
bool testMode = false;
bool openFails = false;
QStringList opened;
QStringList fileNames;
struct PrintAnswer
{
    std::optional<int> copies;
    QString pdfFile;
    QPageSize pageSize;
};
QList<PrintAnswer> prints;
}

bool Open(const QString &urlOrFile)
{
    if (testMode) {
        opened << urlOrFile;
        return !openFails;
    }
    return QDesktopServices::openUrl(QUrl::fromUserInput(urlOrFile));
}

QString SaveFileName(QWidget *parent, const QString &defaultSuffix, const QString &filter)
{
    if (testMode) return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

bool Print(QWidget *parent, QPrinter &printer, int *copies)
{
    if (testMode) {
        const auto [answer, pdfFile, pageSize] = prints.isEmpty() ? PrintAnswer() : prints.takeFirst();
        if (!pdfFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfFile);
        }
        if (pageSize.isValid()) printer.setPageSize(pageSize);
        if (answer && copies) *copies = *answer;
        return answer.has_value();
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (copies) *copies = printer.copyCount();
    return true;
}

void SetTestMode(bool on)
{
    testMode = on;
    openFails = false;
    opened.clear();
    fileNames.clear();
    prints.clear();
}

QStringList &Opened() { return opened; }
void SetOpenFails(bool fails) { openFails = fails; }
void SetNextFileName(const QString &fileName) { fileNames << fileName; }
void SetNextPrint(std::optional<int> copies, const QString &pdfFile, const QPageSize &pageSize)
{
    prints.append({copies, pdfFile, pageSize});
}

}
