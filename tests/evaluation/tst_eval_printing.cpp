// The printout's layout: line positions and page breaks worked out from the margins (25 mm), the
// line step and the break rule, and found again in a PDF by pdftotext -bbox.
#include "OffscreenMain.h"
#include "Printing.h"

#include <QBuffer>
#include <QFontInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace {
using Lines = QList<QPair<int, int>>;   // (index, y) on one page

struct Word
{
    double x, y;   // left and top edge in 0.1 mm
    QString text;
};
using Page = QList<Word>;

QList<Page> pdfWords(const QString &pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000)) return {};
    static const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QList<Page> pages;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (line.contains("<page ")) pages.append(Page());
        const auto m = word.match(line);
        if (m.hasMatch() && !pages.isEmpty())
            pages.last().append(
                {m.captured(1).toDouble() * 254 / 72, m.captured(2).toDouble() * 254 / 72, m.captured(3)});
    }
    return pages;
}

// "page x y text" for every word that starts at one of the columns and at a whole unit of y, in
// the order of the pages, then of y, then of x. The tolerance is 0.02 mm: the PDF's coordinates
// carry hundredths of a point.
QStringList described(const QList<Page> &pages)
{
    QStringList lines;
    for (int page = 0; page < pages.size(); ++page) {
        QList<Word> words = pages[page];
        std::sort(words.begin(), words.end(),
                  [](const Word &a, const Word &b) { return qRound(a.y) != qRound(b.y) ? a.y < b.y : a.x < b.x; });
        for (const Word &w : words) {
            const bool atColumn =
                std::any_of(PrintColumnX.begin(), PrintColumnX.end(), [&](int x) { return qAbs(w.x - x) < 0.2; });
            if (atColumn && qAbs(w.y - qRound(w.y)) < 0.2)
                lines << QStringLiteral("%1 %2 %3 %4").arg(page).arg(qRound(w.x)).arg(qRound(w.y)).arg(w.text);
        }
    }
    return lines;
}

std::vector<TVerbindung> numberedConnections(int count)
{
    std::vector<TVerbindung> records{size_t(count)};
    for (int i = 0; i < count; ++i) {
        records[size_t(i)].Datum = records[size_t(i)].Start = 38412.5 + i / 100.0;
        records[size_t(i)].Ende = records[size_t(i)].Start + 0.01;
        records[size_t(i)].Kosten = 0.25;
        records[size_t(i)].Tarif.setBytes("T" + QByteArray::number(i + 1));
    }
    records[0].Tarif.setBytes("Sp\xe4t\x80");   // Windows-1252: "Spät€"
    return records;
}

// A page of that width and 297 mm, all of it printable.
std::unique_ptr<QPdfWriter> a4Writer(QIODevice *device, double widthMm = 210)
{
    auto writer = std::make_unique<QPdfWriter>(device);
    writer->setPageLayout(QPageLayout(QPageSize(QSizeF(widthMm, 297), QPageSize::Millimeter), QPageLayout::Portrait,
                                      QMarginsF(), QPageLayout::Millimeter));
    return writer;
}
}

class TestPrinting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void font_liberationSansWithAnElevenPointStepOf43()
    {
        // 11 pt = 38.8 units; Liberation Sans is 0.905 em above and 0.212 em below the baseline.
        QCOMPARE(QFontInfo(PrintFont()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(PrintLineStep(PrintFont()), 43);
    }

    void layout_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<Lines>>("pages");   // first and last lines of each page
        QTest::newRow("empty month: the header alone") << 2970 << 43 << 0 << QList<Lines>{{{0, -250}}};
        // H - 500 = 2370: a line starting 2370 below the top still fits (250 + 53 * 40), the next
        // goes to a new page at 250, and that page holds 54 lines down to 2370 again.
        QTest::newRow("287 mm: break after 2370")
            << 2870 << 40 << 109
            << QList<Lines>{
                   {{0, -250}, {1, -290}, {53, -2370}}, {{54, -250}, {107, -2370}}, {{108, -250}, {109, -290}}};
        // 250 + 51 * 43 = 2443 fits under 2470; 2486 does not.
        QTest::newRow("A4: 51 rows under the header, then 52")
            << 2970 << 43 << 104 << QList<Lines>{{{0, -250}, {51, -2443}}, {{52, -250}, {103, -2443}}, {{104, -250}}};
    }
    void layout()
    {
        QFETCH(int, height);
        QFETCH(int, step);
        QFETCH(int, records);
        QFETCH(QList<Lines>, pages);
        const std::vector<TPrintLine> lines = PrintLineLayout(height, step, size_t(records));
        QCOMPARE(int(lines.size()), records + 1);
        QCOMPARE(lines.back().page, int(pages.size()) - 1);
        for (int page = 0; page < pages.size(); ++page) {
            for (const auto &[index, y] : pages[page]) {
                QCOMPARE(lines[size_t(index)].page, page);
                QCOMPARE(lines[size_t(index)].y, y);
                if (index > 0 && lines[size_t(index - 1)].page == page) QCOMPARE(lines[size_t(index - 1)].y, y + step);
            }
        }
    }

    void pdf_textTopsWherePlaced()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("print.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        {
            const auto writer = a4Writer(&file);
            QVERIFY(PrintMonth(*writer, numberedConnections(104)));
        }
        file.close();
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "pdftotext (poppler-utils) is needed");
        const QList<Page> pages = pdfWords(file.fileName());
        QCOMPARE(pages.size(), 3);

        // The header on the first page only, its texts at the five columns; then every tariff cell
        // on the page and at the top edge that the break rule gives row n (1..104).
        const QStringList words = described(pages);
        QCOMPARE(words.filter(QRegularExpression("^\\d+ \\d+ 250 [A-Z][a-z]+$")),
                 QStringList({"0 250 250 Datum", "0 550 250 Start", "0 850 250 Ende", "0 1150 250 Tarif",
                              "0 1750 250 Kosten"}));
        QStringList expected{"0 1150 250 Tarif"};
        for (int n = 1; n <= 104; ++n) {
            const int page = n <= 51 ? 0 : n <= 103 ? 1 : 2;
            const int y = page == 0 ? 250 + 43 * n : 250 + 43 * ((n - 52) % 52);
            expected << QStringLiteral("%1 1150 %2 %3")
                            .arg(page)
                            .arg(y)
                            .arg(n == 1 ? QStringLiteral("Sp\u00e4t\u20ac") : "T" + QString::number(n));
        }
        QCOMPARE(words.filter(QRegularExpression("^\\d+ 1150 ")), expected);
    }

    void copies_eachWithItsHeader()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("copies.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        {
            const auto writer = a4Writer(&file);
            QVERIFY(PrintMonth(*writer, numberedConnections(2), 3));
        }
        file.close();
        const QList<Page> pages = pdfWords(file.fileName());
        QCOMPARE(pages.size(), 3);
        // Each copy is the whole printout: the header on its first page, the two rows under it.
        QStringList expected;
        for (int page = 0; page < 3; ++page)
            expected << QStringLiteral("%1 1150 250 Tarif").arg(page)
                     << QStringLiteral("%1 1150 293 Sp\u00e4t\u20ac").arg(page)
                     << QStringLiteral("%1 1150 336 T2").arg(page);
        QCOMPARE(described(pages).filter(QRegularExpression("^\\d+ 1150 ")), expected);
    }

    void narrowerThan200mm_printsNothing_data()
    {
        QTest::addColumn<double>("widthMm");
        QTest::addColumn<bool>("printed");
        QTest::newRow("199 mm") << 199.0 << false;
        QTest::newRow("199.9 mm") << 199.9 << false;
        QTest::newRow("200 mm") << 200.0 << true;
    }
    void narrowerThan200mm_printsNothing()
    {
        QFETCH(double, widthMm);
        QFETCH(bool, printed);
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            const auto writer = a4Writer(&buffer, widthMm);
            QCOMPARE(PrintMonth(*writer, numberedConnections(3)), printed);
        }
        QCOMPARE(pdf.isEmpty(), !printed);
    }
};

MINUTRIX_OFFSCREEN_TEST_MAIN(TestPrinting)
#include "tst_eval_printing.moc"
