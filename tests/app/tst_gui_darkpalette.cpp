// Every window under a dark desktop theme (Fusion with a dark palette), looked at in a screenshot:
// each text whose colour the palette decides is at least 3:1 against what it is drawn on. The
// graph and the banners keep their own colours and are pictures, not texts.
#include "app/Windows.h"
#include "tariffs/window/TarifForm.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/PageControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <cmath>

namespace {
QPalette darkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), base(35, 38, 41), text(239, 240, 241), disabled(127, 127, 127);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(49, 54, 59));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    p.setColor(QPalette::HighlightedText, base);
    p.setColor(QPalette::Link, QColor(61, 174, 233));
    p.setColor(QPalette::LinkVisited, QColor(155, 89, 182));
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, r, disabled);
    return p;
}

double luminance(QColor c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What the text is drawn on: the colour most pixels of its rectangle have.
QColor dominant(const QImage &shot, const QRect &r)
{
    QHash<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) ++count[shot.pixel(x, y) | 0xff000000u];
    QRgb best = 0;
    int most = -1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) std::tie(best, most) = std::make_pair(it.key(), it.value());
    return QColor(best);
}

QString textOf(const QWidget *w)
{
    if (const auto *l = qobject_cast<const QLabel *>(w)) return l->pixmap().isNull() ? l->text() : QString();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w)) return b->text();
    if (const auto *g = qobject_cast<const QGroupBox *>(w)) return g->title();
    if (const auto *e = qobject_cast<const QLineEdit *>(w)) return e->text();
    if (const auto *c = qobject_cast<const QComboBox *>(w)) return c->currentText();
    return QString();
}

// "objectName ratio:1" for every enabled text of the window below 3:1.
QStringList lowContrastTexts(QWidget *window)
{
    const QImage shot = window->grab().toImage();
    QStringList low;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || !w->isEnabled() || textOf(w).trimmed().isEmpty()) continue;
        QRect r = QRect(w->mapTo(window, QPoint(0, 0)), w->size()) & shot.rect();
        if (r.isEmpty()) continue;
        // Inside a frame, whose line (a default button's highlight) is not what the text is on.
        if (r.width() > 12 && r.height() > 12) r.adjust(3, 3, -3, -3);
        const double ratio = contrast(w->palette().color(QPalette::Active, w->foregroundRole()), dominant(shot, r));
        if (ratio < 3.0) low << QStringLiteral("%1 %2:1").arg(w->objectName()).arg(ratio, 0, 'f', 1);
    }
    return low;
}
}

class TestDarkPalette : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }

    void everyText_readable_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("page");   // of its PageControl1; -1: none
        QTest::newRow("main window") << "Hauptfenster" << -1;
        QTest::newRow("info") << "Infofenster" << -1;
        QTest::newRow("settings") << "SettingForm" << -1;
        QTest::newRow("tariffs: list") << "TarifForm" << 0;
        QTest::newRow("tariffs: new tariff") << "TarifForm" << 1;
        QTest::newRow("auto-update") << "Autoupdate" << -1;
        QTest::newRow("evaluation") << "Auswertung" << 0;
        for (int page = 0; page < 6; ++page) QTest::addRow("wizard page %d", page) << "AssistentForm" << page;
        QTest::newRow("feedback") << "FeedbackForm" << -1;
    }
    void everyText_readable()
    {
        QFETCH(QString, window);
        QFETCH(int, page);
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        THauptfenster &main = f.start();
        CreateWindows(&main);
        QWidget *w = window == QLatin1String("Hauptfenster")
                         ? &main
                         : main.findChild<QWidget *>(window, Qt::FindDirectChildrenOnly);
        QVERIFY(w);
        if (window == QLatin1String("TarifForm") && page == 1) TarifForm->SpeedButton1Click();
        if (auto *pages = w->findChild<TPageControl *>(QStringLiteral("PageControl1")); pages && page >= 0)
            pages->SetActivePage(page);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QStringList low = lowContrastTexts(w);
        QVERIFY2(low.isEmpty(), qPrintable(low.join(QStringLiteral(", "))));
        w->hide();
    }
};

QTEST_MAIN(TestDarkPalette)
#include "tst_gui_darkpalette.moc"
