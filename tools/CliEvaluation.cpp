// export, chart and print: a month log read as the evaluation window reads it, written out by the
// evaluation's own export, graph and printout.
#include "tools/CliEvaluation.h"
#include "core/ErrorReport.h"
#include "core/Exception.h"
#include "core/MonatsLog.h"
#include "evaluation/Export.h"
#include "evaluation/Grafik.h"
#include "evaluation/Printing.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <cstring>

namespace {
constexpr int DefaultChartWidth = 559, DefaultChartHeight = 418;
constexpr int MaxChartSide = 8192;

// Written whole or not at all: a failure leaves no half picture or half document.
void saveWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        FileError(path, QStringLiteral("cannot be written: ") + file.errorString());
}
}

std::vector<TVerbindung> LoadMonthLog(const QString &path)
{
    RequireRegularFile(path);
    if (QFileInfo(path).size() < MonatsLogHeaderSize)
        FileError(path, QStringLiteral("is not a month log: shorter than its %1-byte header").arg(MonatsLogHeaderSize));
    TKostenDatenbank log;
    log.Pfad = path;
    ReportCollector reports;
    ReadAllData(log);
    if (!reports.Take().isEmpty()) FileError(path, QStringLiteral("cannot be read as a month log"));
    return std::move(log.Daten);
}

std::unique_ptr<QCoreApplication> MakeCliApplication(int &argc, char **argv)
{
    const bool draws = argc > 1 && (std::strcmp(argv[1], "chart") == 0 || std::strcmp(argv[1], "print") == 0);
    if (!draws) return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes (no XDG_RUNTIME_DIR for root, say) would break the one line a failure prints.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    return std::make_unique<QGuiApplication>(argc, argv);
}

QByteArray RunExport(const QStringList &args)
{
    RequireArgumentCount(args, 3, 3);
    const QString out = args[2];
    if (ExportFormatOf(out) == ExportFormat::None)
        UsageError(QStringLiteral("the output file must end in .txt or .xls, not '%1'").arg(out));
    const std::vector<TVerbindung> records = LoadMonthLog(args[1]);
    try {
        ExportByName(out, records);
    } catch (const Exception &e) {
        FileError(out, e.message());
    }
    return QByteArray();
}

QByteArray RunChart(const QStringList &args)
{
    RequireArgumentCount(args, 3, 5);
    if (args.size() == 4) UsageError(QStringLiteral("a size is two whole numbers, WIDTH and HEIGHT"));
    QSize size(DefaultChartWidth, DefaultChartHeight);
    if (args.size() == 5)
        size = QSize(ParseInt(args[3], QStringLiteral("WIDTH"), 1, MaxChartSide),
                     ParseInt(args[4], QStringLiteral("HEIGHT"), 1, MaxChartSide));
    const std::vector<TVerbindung> records = LoadMonthLog(args[1]);

    ReportCollector reports;
    const QImage image = GrafikImage(records, size);
    const QStringList failures = reports.Take();
    if (!failures.isEmpty()) FileError(args[1], failures.first());
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        FileError(args[2], QStringLiteral("the picture could not be encoded"));
    saveWhole(args[2], png);
    return QByteArray();
}

QByteArray RunPrint(const QStringList &args)
{
    RequireArgumentCount(args, 3, 3);
    const std::vector<TVerbindung> records = LoadMonthLog(args[1]);
    QSaveFile file(args[2]);
    if (!file.open(QIODevice::WriteOnly))
        FileError(args[2], QStringLiteral("cannot be written: ") + file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Minutrix"));
        writer.setTitle(QFileInfo(args[1]).completeBaseName());
        // A4 portrait whose printable area is the whole page: 2100 x 2970 units.
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        try {
            PrintMonth(writer, records);
        } catch (const Exception &e) {
            FileError(args[2], e.message());
        }
    }
    if (!file.commit()) FileError(args[2], QStringLiteral("cannot be written: ") + file.errorString());
    return QByteArray();
}
