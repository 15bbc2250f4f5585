// The usage graph pixel for pixel: each expected picture is drawn here from the graph's geometry
// (axes at x = 10 and y = Hc - 10 up to x = Wc - 20, the bar of day i at x = (Wc - 30) / 31 * i,
// a day without costs one pixel on the axis), with the bar tops worked out by hand.
#include "core/Language.h"
#include "evaluation/Grafik.h"
#include "tests/support/CoreFakes.h"

#include <QTest>
#include <cmath>

namespace {
using Costs = QList<QPair<int, double>>;   // (day of March 2005, or of February when 0 or less; cost)
using Bars = QList<QPoint>;                // (x, top)

std::vector<TVerbindung> month(const Costs &costs)
{
    std::vector<TVerbindung> records;
    for (const auto &[day, cost] : costs) {
        TVerbindung v;
        v.Datum = EncodeDateTime(2005, day > 0 ? 3 : 2, day > 0 ? day : 28 + day, 20, 0, 0);
        v.Kosten = cost;
        records.push_back(v);
    }
    return records;
}

// Black from (x1, y1) to (x2, y2), both ends included, as far as it lies in the picture.
void run(QImage &image, int x1, int y1, int x2, int y2)
{
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            if (image.rect().contains(x, y)) image.setPixel(x, y, qRgb(0, 0, 0));
}

QImage expectedPicture(const QSize &size, const Bars &bars)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int base = size.height() - 10;
    run(image, 10, 10, 10, base);
    run(image, 10, base, size.width() - 20, base);
    for (int day = 1; day <= 31; ++day) {
        const int x = int(std::nearbyint((size.width() - 30) / 31.0 * day));
        run(image, x, base, x, base);
    }
    for (const QPoint &bar : bars) run(image, bar.x(), bar.y(), bar.x(), base);
    return image;
}
}

class TestGrafik : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void picture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Costs>("costs");
        QTest::addColumn<Bars>("bars");
        const QSize window(559, 418);   // scale s = 398 / (m + 1) for the peak m; bars stand on y = 408
        QTest::newRow("empty month: the axes only") << window << Costs{} << Bars{};
        // m = 1, s = 199: 0.37 * 199 = 73.63 -> 74; x = 529 / 31 * 5 = 85.32 -> 85
        QTest::newRow("0.37 on day 5") << window << Costs{{5, 0.37}} << Bars{{85, 334}};
        // m = 3, s = 99.5: 3 * 99.5 = 298.5 -> 298 and 1 * 99.5 -> 100 (halves to even)
        QTest::newRow("peak 3.0 fills three quarters")
            << window << Costs{{1, 1.0}, {12, 3.0}} << Bars{{17, 308}, {205, 110}};
        // Day 3 after day 10 counts on day 10; the 26th of February after that on day 26, its day
        // number being the latest. m = 2, s = 398 / 3: 1.5 * s = 199, 0.25 * s = 33.17 -> 33
        QTest::newRow("earlier days count on the latest day seen")
            << window << Costs{{10, 1.0}, {3, 0.5}, {-2, 0.25}} << Bars{{171, 209}, {444, 375}};
        // A 16-bit peak would wrap to 4465 and put the bar far above the axis.
        QTest::newRow("a day above 65 535") << window << Costs{{31, 70000.5}} << Bars{{529, 10}};
        // Hc - 10 = 5 lies above y = 10, Wc - 20 left of x = 10; days 1 to 3 fall on x = 0.
        // A damaged log's cost that is no number, or none a call can reach, counts as 0: m = 1,
        // s = 199, the bar of day 4 at x = 529 / 31 * 4 = 68.26 -> 68, top 408 - 199 = 209.
        for (const double cost : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e308})
            QTest::addRow("%g on day 5 counts as 0", cost) << window << Costs{{4, 1.0}, {5, cost}} << Bars{{68, 209}};
        QTest::newRow("too small a picture: clipped") << QSize(25, 15) << Costs{{5, 2.0}} << Bars{};
    }
    void picture()
    {
        QFETCH(QSize, size);
        QFETCH(Costs, costs);
        QFETCH(Bars, bars);
        ReportRecorder recorder;
        QCOMPARE(GrafikImage(month(costs), size), expectedPicture(size, bars));
        QCOMPARE(recorder.reports, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestGrafik)
#include "tst_eval_grafik.moc"
