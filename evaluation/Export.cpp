#include "evaluation/Export.h"

#include "core/Exception.h"
#include "evaluation/Excel.h"
#include "evaluation/RowTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {
constexpr int LabelColumns = 4;   // date, start, end, tariff; the cost is a number cell
constexpr int CostColumn = 4;

[[noreturn]] void ioError(int error) { throw Exception(QStringLiteral("I/O error %1").arg(error)); }

// Unbuffered, so every line is in the file once its write returned, as the flush after each line
// promised; and the errno of a failed write is still the write's own.
void writeLine(QFile &file, const QByteArray &line)
{
    errno = 0;
    if (file.write(line) != line.size()) ioError(errno ? errno : EIO);
}
}

ExportFormat ExportFormatOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return ExportFormat::None;
    const QStringView extension = QStringView(name).mid(dot);
    if (extension == QLatin1String(".txt")) return ExportFormat::Text;
    if (extension == QLatin1String(".xls")) return ExportFormat::Xls;
    return ExportFormat::None;
}

QByteArray ExportHeaderLine()
{
    QByteArray line;
    for (const QString &name : ColumnNames()) line += (line.isEmpty() ? "" : "\t") + name.toLatin1();
    return line + "\r\n";
}

void ExportText(const QString &fileName, const std::vector<TVerbindung> &records)
{
    QFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) ioError(errno ? errno : EIO);
    writeLine(file, ExportHeaderLine());
    for (const TVerbindung &v : records) {
        const std::array<QByteArray, ColumnCount> fields = RowBytes(v);
        QByteArray line = fields[0];
        for (int i = 1; i < ColumnCount; ++i) line += '\t' + fields[size_t(i)];
        writeLine(file, line + "\r\n");
    }
}

void ExportXls(const QString &fileName, const std::vector<TVerbindung> &records)
{
    const int rows = int(std::min<size_t>(records.size(), size_t(MaxSheetRows) + 1));
    if (rows > MaxSheetRows)
        throw Exception(QStringLiteral("Zu viele Verbindungen für eine Tabelle: %1 (höchstens %2)")
                            .arg(records.size())
                            .arg(MaxSheetRows));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(
            QStringLiteral("Cannot create file %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
    // QFile buffers; a write that fails shows at a later record or at the flush, with everything
    // before it in the file.
    WriteBofRecord(file, 0);
    WriteDimensionsRecord(file, rows, ColumnCount);
    for (int row = 0; row < rows; ++row) {
        const std::array<QByteArray, ColumnCount> fields = RowBytes(records[size_t(row)]);
        for (int column = 0; column < LabelColumns; ++column) WriteLabelCell(file, column, row, fields[size_t(column)]);
    }
    for (int row = 0; row < rows; ++row) WriteNumberCell(file, CostColumn, row, records[size_t(row)].Kosten);
    WriteEofRecord(file);
    if (!file.flush()) throw Exception(QStringLiteral("Stream write error"));
}

bool ExportByName(const QString &fileName, const std::vector<TVerbindung> &records)
{
    switch (ExportFormatOf(fileName)) {
    case ExportFormat::Text: ExportText(fileName, records); return true;
    case ExportFormat::Xls: ExportXls(fileName, records); return true;
    case ExportFormat::None: break;
    }
    return false;
}
