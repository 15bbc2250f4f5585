#include "evaluation/Grafik.h"

#include "core/DateTime.h"
#include "core/ErrorReport.h"
#include "core/Exception.h"
#include "core/Language.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int Margin = 10;

// A horizontal or vertical line in whole pixels with both end points; the device clips it.
void line(QPainter &painter, int x1, int y1, int x2, int y2)
{
    painter.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
                     Qt::black);
}

// Halves to even, kept in range: a bar far outside the picture is clipped anyway.
int roundedPixel(double value) { return int(std::clamp(std::nearbyint(value), -1.0e6, 1.0e6)); }

void drawBars(QPainter &painter, int wc, int hc, std::span<const double> sums)
{
    // The peak is a whole number of euros; held in a double, so months above 65 535 euros a day
    // (which a 16-bit peak would wrap) still fit the axis.
    double peak = 0;
    for (const double sum : sums) {
        if (!std::isfinite(sum)) throw Exception(QStringLiteral("a daily sum is not a number"));
        if (sum > peak) peak = std::ceil(sum);
    }
    // The axis stands for peak + 1 euros, so no bar reaches its top.
    const double scale = (hc - 2 * Margin) / (peak + 1);
    const int base = hc - Margin;
    for (int day = 1; day <= int(sums.size()); ++day) {
        const int x = roundedPixel((wc - 30) / double(sums.size()) * day);
        const int top = base - roundedPixel(sums[size_t(day - 1)] * scale);
        line(painter, x, top, x, base);
    }
}
}

std::array<double, 31> DailySums(const std::vector<TVerbindung> &records)
{
    std::array<double, 31> sums{};
    int latest = 0;
    for (const TVerbindung &v : records) {
        int year, month, day;
        DecodeDate(v.Datum, year, month, day);   // a value that is no date reads as 30 Dec 1899, as listed
        latest = std::clamp(std::max(latest, day), 1, 31);
        sums[size_t(latest - 1)] += CountedCost(v);
    }
    return sums;
}

void DrawBarChart(QPainter &painter, const QSize &client, std::span<const double> sums)
{
    if (!painter.isActive()) throw Exception(QStringLiteral("the painter is not active"));
    const int wc = client.width(), hc = client.height();
    painter.fillRect(QRect(0, 0, wc, hc), Qt::white);
    line(painter, Margin, Margin, Margin, hc - Margin);
    line(painter, Margin, hc - Margin, wc - 20, hc - Margin);
    drawBars(painter, wc, hc, sums);
}

void ZeichneGrafik(QPainter &painter, const QSize &client, const std::vector<TVerbindung> &records)
{
    try {
        DrawBarChart(painter, client, DailySums(records));
    } catch (...) {
        // Includes bad_alloc: the window goes on with the picture as far as it was drawn.
        ReportError(E_UnknownErrorAt + QStringLiteral("ZeichneGrafik"));
    }
}

QImage GrafikImage(const std::vector<TVerbindung> &records, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ZeichneGrafik(painter, size, records);
    return image;
}
