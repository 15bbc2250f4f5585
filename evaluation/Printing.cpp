#include "evaluation/Printing.h"

#include "core/Exception.h"
#include "evaluation/PageText.h"
#include "evaluation/RowTexts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
constexpr double FontPoints = 11;
// The tariff's column ends 2 mm before the cost's, so a long name cannot run into it.
constexpr int TariffColumn = 3;
constexpr double ColumnGap = 20;
constexpr double UnitsPerInch = 254;   // 0.1 mm
// Tolerance for page sizes that the conversion from points leaves a hair under a whole millimetre.
constexpr double MillimetreSlack = 0.01;

int wholeMillimetres(double mm) { return int(std::floor(mm + MillimetreSlack)); }

// One logical unit per 0.1 mm from the painter's origin, the top-left of the printable area.
void setMetricMapping(QPainter &painter, const QPagedPaintDevice &device, const QSize &size)
{
    painter.setWindow(0, 0, size.width(), size.height());
    painter.setViewport(0, 0, qRound(size.width() * device.logicalDpiX() / UnitsPerInch),
                        qRound(size.height() * device.logicalDpiY() / UnitsPerInch));
}

// Qt's PDF engine (behind QPdfWriter and QPrinter alike) takes and frees a 10 MB buffer for every
// page. Under glibc's default thresholds each page mapped, faulted in and trimmed that memory
// again, which made a printout of a busy month several times slower; the freed memory is kept.
void keepFreedMemoryForPages()
{
#ifdef __GLIBC__
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        return mallopt(M_TRIM_THRESHOLD, 64 << 20) != 0;
    }();
    (void)once;
#endif
}

void newPage(QPagedPaintDevice &device)
{
    if (!device.newPage())
        throw Exception(QStringLiteral("Drucken fehlgeschlagen: Eine neue Seite konnte nicht begonnen werden"));
}
}

QFont PrintFont()
{
    QFont font(QStringLiteral("Arial"));
    // Under the metric mapping a point size would be scaled twice: the size is given in units.
    font.setPixelSize(qRound(FontPoints * UnitsPerInch / 72));
    return font;
}

int PrintLineStep(const QFont &font)
{
    // Ascent and descent each in whole units, as a printer driver reports the text height.
    return QFontMetrics(font).height();
}

std::vector<TPrintLine> PrintLineLayout(int pageHeight, int lineStep, size_t records)
{
    std::vector<TPrintLine> lines;
    lines.reserve(records + 1);
    TPrintLine at{0, -PrintMarginTop};
    lines.push_back(at);
    for (size_t i = 0; i < records; ++i) {
        at.y -= lineStep;
        if (pageHeight - 2 * PrintMarginTop < -at.y) at = {at.page + 1, -PrintMarginTop};
        lines.push_back(at);
    }
    return lines;
}

QSize PrintableSize(const QPagedPaintDevice &device)
{
    const QRectF mm = device.pageLayout().paintRect(QPageLayout::Millimeter);
    return QSize(wholeMillimetres(mm.width()) * 10, wholeMillimetres(mm.height()) * 10);
}

bool PrintMonth(QPagedPaintDevice &device, const std::vector<TVerbindung> &records, int copies)
{
    const QSize size = PrintableSize(device);
    if (size.width() < MinPrintWidth) return false;

    keepFreedMemoryForPages();
    QPainter painter;
    if (!painter.begin(&device))
        throw Exception(QStringLiteral("Drucken fehlgeschlagen: Der Druckauftrag konnte nicht begonnen werden"));
    setMetricMapping(painter, device, size);
    const QFont font = PrintFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The baseline lies the font's ascent below the top edge (Qt's y grows downwards).
    const double ascent = QFontMetricsF(font).ascent();
    const std::vector<TPrintLine> lines = PrintLineLayout(size.height(), PrintLineStep(font), records.size());

    PageText page(font);
    auto print = [&](const TPrintLine &line, const std::array<QString, ColumnCount> &texts) {
        for (size_t column = 0; column < texts.size(); ++column) {
            const double maxWidth = column == TariffColumn
                                        ? PrintColumnX[TariffColumn + 1] - PrintColumnX[TariffColumn] - ColumnGap
                                        : std::numeric_limits<double>::infinity();
            page.add(painter, QPointF(PrintColumnX[column], -line.y + ascent), texts[column], maxWidth);
        }
    };
    auto nextPage = [&] {
        page.flush(painter);
        newPage(device);
    };
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        if (copy > 0) nextPage();
        print(lines[0], ColumnNames());
        for (size_t i = 0; i < records.size(); ++i) {
            if (lines[i + 1].page != lines[i].page) nextPage();
            print(lines[i + 1], RowTexts(records[i]));
        }
    }
    page.flush(painter);
    if (!painter.end())
        throw Exception(QStringLiteral("Drucken fehlgeschlagen: Der Druckauftrag konnte nicht abgeschlossen werden"));
    return true;
}
