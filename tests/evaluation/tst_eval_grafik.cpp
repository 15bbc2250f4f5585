// The usage graph pixel for pixel: each expected picture is drawn here from the graph's geometry
// (axes at x = 10 and y = Hc - 10 up to x = Wc - 20, the bar of day i at x = (Wc - 30) / 31 * i),
// with the bar tops worked out by hand.
#include "CoreFakes.h"
#include "Grafik.h"
#include "Language.h"

#include <QTest>
#include <cmath>

namespace {
using Costs = QList<QPair<int, double>>;   // (day of March 2005, cost) in stored order
using Bars = QList<QPoint>;                // (x, top) of each visible bar

std::vector<TVerbindung> month(const Costs &costs)
{
    std::vector<TVerbindung> records;
    for (const auto &[day, cost] : costs) {
        TVerbindung v;
        v.Datum = v.Start = EncodeDateTime(2005, day > 0 ? 3 : 2, day > 0 ? day : 28 + day, 20, 0, 0);
        v.Ende = v.Start + 0.01;
        v.Kosten = cost;
        records.push_back(v);
    }
    return records;
}

// A black vertical or horizontal run with both ends, as far as it lies in the picture.
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
    // A day without costs is one pixel on the axis, which shows only where the axis does not lie.
    for (int day = 1; day <= 31; ++day) {
        const int x = int(std::nearbyint((size.width() - 30) / 31.0 * day));
        run(image, x, base, x, base);
    }
    for (const QPoint &bar : bars) run(image, bar.x(), bar.y(), bar.x(), base);
    return image;
}

// The first differing pixel, for a readable failure.
QByteArray firstDifference(const QImage &actual, const QImage &expected)
{
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(actual.pixel(x, y), 0, 16).toUtf8();
    return QByteArray();
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
        const QSize window(559, 418);   // peak m, scale s = 398 / (m + 1), bars stand on y = 408
        QTest::newRow("empty month: the axes only") << window << Costs{} << Bars{};
        // m = 1, s = 199: 0.37 * 199 = 73.63 -> 74; x = 529 / 31 * 5 = 85.32 -> 85
        QTest::newRow("0.37 on day 5") << window << Costs{{5, 0.37}} << Bars{{85, 334}};
        // m = 3, s = 99.5: 3 * 99.5 = 298.5 -> 298 and 1 * 99.5 -> 100 (halves to even)
        QTest::newRow("peak 3.0 fills three quarters")
            << window << Costs{{1, 1.0}, {12, 3.0}} << Bars{{17, 308}, {205, 110}};
        // Day 3 after day 10 counts on day 10; the 26th of February after that on day 26, its own
        // day number being the latest. m = 2, s = 398 / 3: 1.5 * s = 199, 0.25 * s = 33.17 -> 33
        QTest::newRow("earlier days count on the latest day seen")
            << window << Costs{{10, 1.0}, {3, 0.5}, {-2, 0.25}} << Bars{{171, 209}, {444, 375}};
        // A 16-bit peak would wrap to 4465 and put the bar far above the axis.
        QTest::newRow("a day above 65 535") << window << Costs{{31, 70000.5}} << Bars{{529, 10}};
        // 0.5 * 199 = 99.5 -> 100
        QTest::newRow("costs on one day add up") << window << Costs{{20, 0.25}, {20, 0.25}} << Bars{{341, 308}};
        // Hc - 10 = 5 lies above y = 10 and Wc - 20 left of x = 10; days 1 to 3 fall on x = 0,
        // the others left of the picture.
        QTest::newRow("too small a picture: clipped") << QSize(25, 15) << Costs{{5, 2.0}} << Bars{};
    }
    void picture()
    {
        QFETCH(QSize, size);
        QFETCH(Costs, costs);
        QFETCH(Bars, bars);
        ReportRecorder recorder;
        const QImage actual = GrafikImage(month(costs), size);
        const QImage expected = expectedPicture(size, bars);
        QVERIFY2(actual == expected, firstDifference(actual, expected).constData());
        QCOMPARE(recorder.reports, QStringList());
    }

    void costThatIsNoNumber_reportedAxesKept_data()
    {
        QTest::addColumn<double>("cost");
        QTest::newRow("NaN") << std::nan("");
        QTest::newRow("infinite") << HUGE_VAL;
    }
    void costThatIsNoNumber_reportedAxesKept()
    {
        QFETCH(double, cost);
        ReportRecorder recorder;
        const QImage actual = GrafikImage(month({{4, 1.0}, {5, cost}}), QSize(559, 418));
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + "ZeichneGrafik"});
        QVERIFY(actual == expectedPicture(QSize(559, 418), {}));
    }

    void inactivePainter_reported()
    {
        ReportRecorder recorder;
        QPainter idle;
        ZeichneGrafik(idle, QSize(559, 418), {});
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + "ZeichneGrafik"});
    }
};

QTEST_GUILESS_MAIN(TestGrafik)
#include "tst_eval_grafik.moc"
