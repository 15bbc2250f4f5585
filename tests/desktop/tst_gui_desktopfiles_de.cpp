// What Minutrix keeps in the desktop's files and its own beside Settings.dat: the autostart entry
// that the settings window writes and removes, and the main window's place in Minutrix.ini,
// restored on a screen that exists.
#include "desktop/Autostart.h"
#include "desktop/DesktopSettings.h"
#include "tariffs/window/SettingForm.h"
#include "tests/tariffs/window/TariffWindowFixture.h"
#include "ui/WindowPlacement.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>

namespace {
using Fixture = TariffWindowFixture<TSettingForm>;

// The settings window as app/ hands it the autostart, for a program at `program`.
TSettingForm &showWired(Fixture &f, const QString &program)
{
    f.form->AutostartOn = AutostartOn;
    f.form->SetAutostart = [program](bool on) { SetAutostart(on, program); };
    return f.show();
}

QString execLine()
{
    QFile entry(AutostartPath());
    if (!entry.open(QIODevice::ReadOnly)) return QString();
    for (const QString &line : QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Exec="))) return line.mid(5);
    return QString();
}
}

class TestDesktopFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_config;   // $XDG_CONFIG_HOME

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    // Exec quotes the path as desktop entries want it: \", \`, \$ and \\ inside the quotes, each
    // backslash doubled once more as in every value, '%' doubled so it starts no field code.
    void autostart_writtenByOkAndRemovedByOk_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/minutrix"
                               << "\"/usr/bin/minutrix\"";
        QTest::newRow("spaces") << "/home/anna/Meine Programme/minutrix"
                                << "\"/home/anna/Meine Programme/minutrix\"";
        QTest::newRow("quote, backtick, dollar") << "/opt/a\"b`c$d/minutrix"
                                                 << "\"/opt/a\\\\\"b\\\\`c\\\\$d/minutrix\"";
        QTest::newRow("backslash, percent") << "/opt/50%\\x/minutrix"
                                            << "\"/opt/50%%\\\\\\\\x/minutrix\"";
    }
    void autostart_writtenByOkAndRemovedByOk()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        Fixture f;
        TSettingForm &form = showWired(f, program);
        QVERIFY(!form.CBAutostart->isChecked());
        form.CBAutostart->setChecked(true);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(execLine(), exec);
        QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), {AutostartPath()}), 0);
        QVERIFY(LoadDesktopSettings().Autostart);

        form.show();   // the box tells whether the entry is there, whoever made or removed it
        QVERIFY(form.CBAutostart->isChecked());
        form.CBAutostart->setChecked(false);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(!QFile::exists(AutostartPath()));
        QVERIFY(!LoadDesktopSettings().Autostart);
    }

    void autostart_refusedInput_writesNothing()
    {
        Fixture f;
        TSettingForm &form = showWired(f, QStringLiteral("/usr/bin/minutrix"));
        form.EGesamtLimit->setText(QStringLiteral("75.50"));
        form.CBAutostart->setChecked(true);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(!QFile::exists(AutostartPath()));
    }

    void keepOnScreen_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("placed");
        const QRect a(0, 0, 1920, 1040), b(1920, 0, 1280, 1024);   // a with a panel at its bottom
        QTest::newRow("on its screen") << QRect(200, 116, 192, 100) << QList{a} << QPoint(200, 116);
        QTest::newRow("past the right edge") << QRect(1850, 500, 192, 100) << QList{a} << QPoint(1728, 500);
        QTest::newRow("title bar above the top") << QRect(200, -50, 192, 100) << QList{a} << QPoint(200, 0);
        QTest::newRow("behind the panel") << QRect(200, 1000, 192, 100) << QList{a} << QPoint(200, 940);
        QTest::newRow("on the second screen") << QRect(2500, 300, 192, 100) << QList{a, b} << QPoint(2500, 300);
        QTest::newRow("the second screen gone") << QRect(2500, 300, 192, 100) << QList{a} << QPoint(1728, 300);
        QTest::newRow("mostly on the second") << QRect(1900, 300, 192, 100) << QList{a, b} << QPoint(1920, 300);
        QTest::newRow("larger than its screen") << QRect(100, 100, 2000, 1200) << QList{a} << QPoint(0, 0);
    }
    void keepOnScreen()
    {
        QFETCH(QRect, frame);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        QCOMPARE(KeepOnScreen(frame, screens), placed);
    }

    // The place goes to Minutrix.ini; Settings.dat is not touched.
    void mainWindowPosition_savedAndRestoredOnTheScreen()
    {
        TempProgramDir dir;
        const QByteArray settings(266, '\x01');
        dir.write(QStringLiteral("Settings.dat"), settings);
        QWidget w;
        w.setFixedSize(192, 100);
        w.move(5000, -300);   // on a screen that was there when the program ended
        SaveMainWindowPosition(&w);
        QCOMPARE(LoadDesktopSettings().MainWindowPosition, QPoint(5000, -300));
        QCOMPARE(dir.read(QStringLiteral("Settings.dat")), settings);

        QWidget next;
        next.setFixedSize(192, 100);
        RestoreMainWindowPosition(&next);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(next.pos(), QPoint(screen.right() + 1 - 192, screen.top()));
    }
};

QTEST_MAIN(TestDesktopFiles)
#include "tst_gui_desktopfiles_de.moc"
