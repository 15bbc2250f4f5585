// The printout's layout: top edges and page breaks worked out from the 25 mm margins, the line
// step and the break rule, checked on the layout and found again in a PDF by pdftotext -bbox.
#include "evaluation/Printing.h"
#include "tests/evaluation/OffscreenMain.h"

#include <QBuffer>
#include <QFontInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

namespace {
// The lines of pdftotext -bbox for the PDF: one <word xMin yMin xMax yMax>text</word> a word.
QStringList pdfBoxes(const QByteArray &pdf)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("p.pdf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return {};
    file.close();
    QProcess p;
    p.start("pdftotext", {"-bbox", file.fileName(), "-"});
    if (!p.waitForFinished(30000)) return {"pdftotext (poppler-utils) did not run"};
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n');
}

// "page x y text" for every word of the PDF, x and y its left and top edge in whole 0.1 mm
// (pdftotext gives points), only where both lie within 0.02 mm of a whole unit.
QStringList pdfWords(const QByteArray &pdf)
{
    static const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QStringList words;
    int page = -1;
    for (const QString &line : pdfBoxes(pdf)) {
        page += line.contains("<page ");
        const auto m = word.match(line);
        const double x = m.captured(1).toDouble() * 254 / 72, y = m.captured(2).toDouble() * 254 / 72;
        if (m.hasMatch() && qAbs(x - qRound(x)) < 0.2 && qAbs(y - qRound(y)) < 0.2)
            words << QStringLiteral("%1 %2 %3 %4").arg(page).arg(qRound(x)).arg(qRound(y)).arg(m.captured(3));
    }
    return words;
}

// "x text" for every word of the PDF, x its right edge in 0.1 mm.
QStringList pdfRightEdges(const QByteArray &pdf)
{
    static const QRegularExpression word(R"re(<word [^>]*xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QStringList words;
    for (const QString &line : pdfBoxes(pdf))
        if (const auto m = word.match(line); m.hasMatch())
            words << QStringLiteral("%1 %2").arg(qRound(m.captured(1).toDouble() * 254 / 72)).arg(m.captured(2));
    return words;
}

// Row n's tariff is "T<n>"; the first one's bytes are Windows-1252 for "Spät€".
QByteArray printed(int rows, double pageWidthMm = 210, int copies = 1, bool *done = nullptr,
                   const QByteArray &firstTariff = "Sp\xe4t\x80")
{
    std::vector<TVerbindung> records{size_t(rows)};
    for (int i = 0; i < rows; ++i) records[size_t(i)].Tarif.setBytes(i ? "T" + QByteArray::number(i + 1) : firstTariff);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(pageWidthMm, 297), QPageSize::Millimeter), QPageLayout::Portrait,
                                     QMarginsF(), QPageLayout::Millimeter));
    const bool ok = PrintMonth(writer, records, copies);
    if (done) *done = ok;
    return pdf;
}
}

class TestPrinting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void font_liberationSansWithAStepOf43()
    {
        // 11 pt = 38.8 units; Liberation Sans reaches 0.905 em above and 0.212 em below the baseline.
        QCOMPARE(QFontInfo(PrintFont()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(PrintLineStep(PrintFont()), 43);
    }

    void layout_287mm_breaksAfter2370()
    {
        // H - 500 = 2370: the line 250 + 53 * 40 below the top still fits, the next starts a page
        // at 250, which holds 54 lines down to 2370 again.
        const std::vector<TPrintLine> lines = PrintLineLayout(2870, 40, 109);
        QCOMPARE(lines.size(), size_t(110));
        QStringList found;
        for (const int i : {0, 1, 53, 54, 107, 108, 109})
            found << QStringLiteral("%1 %2").arg(lines[size_t(i)].page).arg(lines[size_t(i)].y);
        QCOMPARE(found, QStringList({"0 -250", "0 -290", "0 -2370", "1 -250", "1 -2370", "2 -250", "2 -290"}));
    }

    void pdf_textTopsWherePlaced()
    {
        // A4 (H = 2970): 51 rows fit under the header (250 + 51 * 43 = 2443 <= 2470), 52 on the next page.
        const QStringList words = pdfWords(printed(104));
        QCOMPARE(words.filter(QRegularExpression("^0 \\d+ 250 ")),
                 QStringList({"0 250 250 Datum", "0 550 250 Start", "0 850 250 Ende", "0 1150 250 Tarif",
                              "0 1750 250 Kosten"}));
        QStringList expected{"0 1150 250 Tarif"};
        for (int n = 1; n <= 104; ++n) {
            const int page = n <= 51 ? 0 : n <= 103 ? 1 : 2, y = page ? 250 + 43 * ((n - 52) % 52) : 250 + 43 * n;
            expected << QStringLiteral("%1 1150 %2 %3")
                            .arg(page)
                            .arg(y)
                            .arg(n > 1 ? "T" + QString::number(n) : "Sp\u00e4t\u20ac");
        }
        QCOMPARE(words.filter(QRegularExpression("^\\d+ 1150 ")), expected);
    }

    void copies_eachTheWholePrintout()
    {
        QStringList expected;
        for (const char *page : {"0", "1", "2"})
            expected << page + QStringLiteral(" 1150 250 Tarif") << page + QStringLiteral(" 1150 293 Sp\u00e4t\u20ac")
                     << page + QStringLiteral(" 1150 336 T2");
        QCOMPARE(pdfWords(printed(2, 210, 3)).filter(QRegularExpression("^\\d+ 1150 ")), expected);
    }

    void longTariffName_cutToItsColumn()
    {
        // 100 characters of about 2 mm each: cut 2 mm before the cost's column at 1750, with "…".
        const QStringList words = pdfRightEdges(printed(1, 210, 1, nullptr, QByteArray(100, 'W')));
        const QStringList names = words.filter(QRegularExpression("^\\d+ W+"));
        QCOMPARE(names.size(), 1);
        QVERIFY2(names[0].endsWith(QChar(0x2026)) && names[0].section(' ', 0, 0).toInt() <= 1730, qPrintable(names[0]));
        QCOMPARE(words.filter(QRegularExpression(" Kosten$")).size(), 1);   // the header's cost stands apart
    }

    void narrowerThan200mm_printsNothing()
    {
        bool done = true;
        QVERIFY(printed(3, 199.9, 1, &done).isEmpty() && !done);
        QVERIFY(!printed(3, 200, 1, &done).isEmpty() && done);
    }
};

MINUTRIX_OFFSCREEN_TEST_MAIN(TestPrinting)
#include "tst_eval_printing.moc"
