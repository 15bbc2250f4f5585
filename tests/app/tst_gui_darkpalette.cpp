// Every window under a dark desktop theme (Fusion with a dark palette), looked at in a screenshot:
// each enabled text whose colour the palette decides is at least 3:1 against what it is drawn on.
// The graph and the banners keep their own colours and are pictures, not texts.
#include "app/Windows.h"
#include "tariffs/window/TarifForm.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/PageControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <cmath>

namespace {
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

// What a text is drawn on: the colour most pixels of its rectangle have, inside a frame's line.
QColor background(const QImage &shot, QRect r)
{
    if (r.width() > 12 && r.height() > 12) r.adjust(3, 3, -3, -3);
    QHash<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) ++count[shot.pixel(x, y)];
    return QColor(std::max_element(count.cbegin(), count.cend()).key());
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
}

class TestDarkPalette : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette p(QColor(49, 54, 59), QColor(53, 53, 53));   // button, window; the rest derived
        const QColor text(239, 240, 241), highlight(61, 174, 233);
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, text);
        p.setColor(QPalette::Base, QColor(35, 38, 41));
        p.setColor(QPalette::Highlight, highlight);
        p.setColor(QPalette::Link, highlight);
        QApplication::setPalette(p);
    }

    void everyText_readable_data()
    {
        QTest::addColumn<int>("page");   // of its PageControl1; -1: none
        QTest::addColumn<QString>("window");
        for (const char *window : {"Hauptfenster", "Infofenster", "SettingForm", "Autoupdate", "FeedbackForm"})
            QTest::newRow(window) << -1 << window;
        for (int page : {0, 1}) QTest::addRow("TarifForm %d", page) << page << "TarifForm";
        QTest::newRow("Auswertung") << 0 << "Auswertung";
        for (int page = 0; page < 6; ++page) QTest::addRow("AssistentForm %d", page) << page << "AssistentForm";
    }
    void everyText_readable()
    {
        QFETCH(int, page);
        QFETCH(QString, window);
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        THauptfenster &main = f.start();
        CreateWindows(&main);
        QWidget *w = window == "Hauptfenster" ? &main : main.findChild<QWidget *>(window, Qt::FindDirectChildrenOnly);
        if (window == "TarifForm" && page == 1) TarifForm->SpeedButton1Click();
        if (auto *pages = w->findChild<TPageControl *>(QStringLiteral("PageControl1")); pages && page >= 0)
            pages->SetActivePage(page);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));

        const QImage shot = w->grab().toImage();
        QStringList low;
        for (QWidget *c : w->findChildren<QWidget *>()) {
            const QRect r = QRect(c->mapTo(w, QPoint(0, 0)), c->size()) & shot.rect();
            if (!c->isVisibleTo(w) || !c->isEnabled() || textOf(c).trimmed().isEmpty() || r.isEmpty()) continue;
            const double ratio =
                contrast(c->palette().color(QPalette::Active, c->foregroundRole()), background(shot, r));
            if (ratio < 3.0) low << QStringLiteral("%1 %2:1").arg(c->objectName()).arg(ratio, 0, 'f', 1);
        }
        QVERIFY2(low.isEmpty(), qPrintable(low.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestDarkPalette)
#include "tst_gui_darkpalette.moc"
