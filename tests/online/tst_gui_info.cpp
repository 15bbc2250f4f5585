// The info window: its texts and pictures, and its two links handed to the desktop's opener.
#include "Info.h"
#include "OnlineUrls.h"
#include "Shell.h"
#include "WhenModal.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts_andPicturesOnceShown()
    {
        TInfofenster info;
        QCOMPARE(info.windowTitle(), QStringLiteral("Info - Minutrix 2.0"));
        QCOMPARE(info.size(), QSize(291, 281));
        QCOMPARE(info.Label1->text(), QStringLiteral("Minutrix"));
        QVERIFY(info.Label1->font().bold() && info.Label1->font().underline());
        QCOMPARE(info.Label2->text(), QStringLiteral("Version 2.0 BETA 2"));
        // The address as text, without its scheme and closing slash.
        QVERIFY(HomepageURL.contains(QStringLiteral("://") + info.Label6->text()));
        QVERIFY(!info.Label6->text().endsWith(QLatin1Char('/')));
        QVERIFY(info.Werbebanner->pixmap().isNull());   // nothing decoded before it is shown

        WhenModal([](QWidget *w) { static_cast<TInfofenster *>(w)->BitBtn1->click(); });
        QCOMPARE(info.exec(), int(QDialog::Accepted));
        QCOMPARE(info.Werbebanner->pixmap().size(), QSize(105, 43));
        QCOMPARE(info.Image1->pixmap().size(), QSize(32, 32));
    }

    void links_openTheHomeAndThePartnerPage()
    {
        Shell::SetTestMode(true);
        Shell::Opened().clear();
        TInfofenster info;
        info.show();
        QTest::mouseClick(info.Label6, Qt::LeftButton);
        QTest::mouseClick(info.Werbebanner, Qt::LeftButton);
        QTest::mouseClick(info.Bevel2, Qt::LeftButton);   // not a link
        QCOMPARE(Shell::Opened(), (QStringList{HomepageURL, PartnerURL}));
        Shell::SetTestMode(false);
    }
};

QTEST_MAIN(TestInfo)
#include "tst_gui_info.moc"
