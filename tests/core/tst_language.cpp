// The language table: its rows, the built-in German texts and what a language file changes.
#include "core/Language.h"
#include "core/ProfileReader.h"
#include "tests/support/CoreFakes.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
const QString CrLf = QStringLiteral("\r\n");

// Every receiver gets a text no row uses, so a test sees which ones LoadLanguage wrote.
void scribbleOverReceivers()
{
    for (const TLanguageEntry &row : LanguageTable()) *row.receiver = QStringLiteral("<untouched>");
}

// Compares every row with its built-in text, except the rows named in `changed`.
void verifyBuiltInExcept(const QStringList &changed = {})
{
    for (const TLanguageEntry &row : LanguageTable()) {
        const QString key = QString::fromLatin1(row.key);
        if (changed.contains(key)) continue;
        if (*row.receiver != row.builtIn)
            QFAIL(qPrintable(QStringLiteral("%1 differs from its built-in text").arg(key)));
    }
}
}

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { scribbleOverReceivers(); }

    void table_rowsInReadingOrder();
    void table_receiversAreTheGlobals();
    void builtInTexts_spotChecks();
    void noFile_everyTextIsBuiltIn();
    void folderInsteadOfFile_everyTextIsBuiltIn();
    void onlyMarch_changesOnlyMarch();
    void englishOctoberKey_changesNothing();
    void generalWithTwoMarkers_becomesThreeLines();
    void lineBreakMarkers_onlyInTheThreeWizardTexts();
    void menuCaptions_goToMenuCaptions();
    void namesMatchWithoutCase();
    void emptyValue_givesEmptyText();
    void quotedValue_losesQuotes();
    void longValue_isCutTo2047();
    void windows1252_isDecoded();
    void garbageFile_givesBuiltInTexts();
    void secondLoadWithoutFile_restoresBuiltIns();
    void convertLineBreaks_data();
    void convertLineBreaks();
    void shippedFiles_giveEveryKey_data();
    void shippedFiles_giveEveryKey();

private:
    TempProgramDir m_dir;
    QString writeLanguage(const QByteArray &bytes)
    {
        m_dir.write(QStringLiteral("test.qlf"), bytes);
        return m_dir.file(QStringLiteral("test.qlf"));
    }
};

void TestLanguage::table_rowsInReadingOrder()
{
    const char *expected[42][2] = {{"Month", "January"},
                                   {"Month", "February"},
                                   {"Month", "March"},
                                   {"Month", "April"},
                                   {"Month", "May"},
                                   {"Month", "June"},
                                   {"Month", "July"},
                                   {"Month", "August"},
                                   {"Month", "September"},
                                   {"Month", "Oktober"},
                                   {"Month", "November"},
                                   {"Month", "December"},
                                   {"Menu", "Tariffs"},
                                   {"Menu", "Settings"},
                                   {"Menu", "AutoUpdate"},
                                   {"Menu", "Evaluation"},
                                   {"Menu", "Exit"},
                                   {"Erros", "E_MonthToLow"},
                                   {"Warnings", "W_NoTarif"},
                                   {"Warnings", "W_ReallyClose"},
                                   {"Warnings", "W_InstallNewAndClose"},
                                   {"Warnings", "W_LimitReached"},
                                   {"Warnings", "W_ReallyDelDB"},
                                   {"Erros", "E_UnknownErrorAt"},
                                   {"Buttons", "B_Next"},
                                   {"Buttons", "B_Finish"},
                                   {"Buttons", "B_Export"},
                                   {"Buttons", "B_Print"},
                                   {"Warnings", "W_FillAllFields"},
                                   {"Assistent", "A_General"},
                                   {"Assistent", "A_Tarife"},
                                   {"Assistent", "A_Finished"},
                                   {"Assistent", "A_State"},
                                   {"Assistent", "A_GesamtLimit"},
                                   {"Assistent", "A_Limit"},
                                   {"Assistent", "A_Freibetrag"},
                                   {"Assistent", "A_Tarifname"},
                                   {"Assistent", "A_TarifNumber"},
                                   {"Assistent", "A_TarifModell"},
                                   {"Assistent", "A_MaxTimes"},
                                   {"Feedback", "F_Description"},
                                   {"Feedback", "F_ThankYou"}};
    const auto &table = LanguageTable();
    for (int i = 0; i < 42; ++i) {
        QCOMPARE(table[i].section, expected[i][0]);
        QCOMPARE(table[i].key, expected[i][1]);
        // Only rows 30 to 32 (indices 29..31) turn "#13#10" into line breaks.
        QCOMPARE(table[i].convertLineBreaks, i >= 29 && i <= 31);
    }
}

void TestLanguage::table_receiversAreTheGlobals()
{
    const auto &table = LanguageTable();
    for (int m = 1; m <= 12; ++m) QCOMPARE(table[m - 1].receiver, &Monate[m]);
    QCOMPARE(table[12].receiver, &MenuCaptions.Tarife);
    QCOMPARE(table[13].receiver, &MenuCaptions.Einstellungen);
    QCOMPARE(table[14].receiver, &MenuCaptions.AutoUpdate);
    QCOMPARE(table[15].receiver, &MenuCaptions.Auswertung);
    QCOMPARE(table[16].receiver, &MenuCaptions.Beenden);
    // The 25 message values are named after their keys.
    const QString *messages[25] = {&E_MonthToLow,   &W_NoTarif,     &W_ReallyClose,    &W_InstallNewAndClose,
                                   &W_LimitReached, &W_ReallyDelDB, &E_UnknownErrorAt, &B_Next,
                                   &B_Finish,       &B_Export,      &B_Print,          &W_FillAllFields,
                                   &A_General,      &A_Tarife,      &A_Finished,       &A_State,
                                   &A_GesamtLimit,  &A_Limit,       &A_Freibetrag,     &A_Tarifname,
                                   &A_TarifNumber,  &A_TarifModell, &A_MaxTimes,       &F_Description,
                                   &F_ThankYou};
    for (int i = 0; i < 25; ++i) QCOMPARE(table[17 + i].receiver, messages[i]);
}

void TestLanguage::builtInTexts_spotChecks()
{
    LoadLanguage(m_dir.file(QStringLiteral("missing.qlf")));
    QCOMPARE(Monate[1], QStringLiteral("Januar"));
    QCOMPARE(Monate[3], QStringLiteral("M\u00e4rz"));
    QCOMPARE(Monate[12], QStringLiteral("Dezember"));
    QCOMPARE(MenuCaptions.AutoUpdate, QStringLiteral("Auto-Update"));
    QCOMPARE(W_LimitReached, QStringLiteral("Das Limit wurde erreicht!"));
    QVERIFY(E_UnknownErrorAt.endsWith(QStringLiteral("auf: ")));
    QCOMPARE(A_General.split(CrLf).size(), 3);
    QVERIFY(!A_General.contains(QStringLiteral("#13#10")));
    const QStringList finished = A_Finished.split(CrLf);
    QCOMPARE(finished.size(), 2);
    QVERIFY(finished[0].endsWith(QStringLiteral("wenden Sie sich bitte an support@minutrix.de")));
    QVERIFY(finished[1].contains(QStringLiteral("\"Einstellungen\" bzw. \"Tarife\"")));
    QVERIFY(!A_Tarife.contains(u'\r'));
    // Besides the two wizard texts no built-in text holds a line break.
    for (const TLanguageEntry &row : LanguageTable())
        if (row.receiver != &A_General && row.receiver != &A_Finished) QVERIFY(!row.builtIn.contains(u'\n'));
}

void TestLanguage::noFile_everyTextIsBuiltIn()
{
    LoadLanguage(m_dir.file(QStringLiteral("german.qlf")));
    verifyBuiltInExcept();
    QCOMPARE(Monate[3], QStringLiteral("M\u00e4rz"));
}

void TestLanguage::folderInsteadOfFile_everyTextIsBuiltIn()
{
    m_dir.write(QStringLiteral("dir.qlf/x"), "[Month]\nMarch=X\n");
    LoadLanguage(m_dir.file(QStringLiteral("dir.qlf")));
    verifyBuiltInExcept();
}

void TestLanguage::onlyMarch_changesOnlyMarch()
{
    LoadLanguage(writeLanguage("[Month]\r\nMarch=Maerz\r\n"));
    QCOMPARE(Monate[3], QStringLiteral("Maerz"));
    verifyBuiltInExcept({QStringLiteral("March")});
}

void TestLanguage::englishOctoberKey_changesNothing()
{
    LoadLanguage(writeLanguage("[Month]\r\nOctober=October\r\n"));
    QCOMPARE(Monate[10], QStringLiteral("Oktober"));
    verifyBuiltInExcept();
}

void TestLanguage::generalWithTwoMarkers_becomesThreeLines()
{
    LoadLanguage(writeLanguage("[Assistent]\r\nA_General=Eins#13#10Zwei#13#10Drei\r\n"
                               "[Warnings]\r\nW_NoTarif=Eins#13#10Zwei#13#10Drei\r\n"));
    QCOMPARE(A_General, QStringLiteral("Eins\r\nZwei\r\nDrei"));
    QCOMPARE(W_NoTarif, QStringLiteral("Eins#13#10Zwei#13#10Drei"));
    verifyBuiltInExcept({QStringLiteral("A_General"), QStringLiteral("W_NoTarif")});
}

void TestLanguage::lineBreakMarkers_onlyInTheThreeWizardTexts()
{
    LoadLanguage(writeLanguage("[Assistent]\r\nA_Tarife=Ende#13#10\r\nA_Finished=Hallo#13#10Welt\r\n"
                               "A_State=Land#13#10\r\n[Feedback]\r\nF_Description=a#13#10b\r\n"));
    QCOMPARE(A_Tarife, QStringLiteral("Ende\r\n"));
    QCOMPARE(A_Finished.split(CrLf), QStringList({QStringLiteral("Hallo"), QStringLiteral("Welt")}));
    QCOMPARE(A_State, QStringLiteral("Land#13#10"));
    QCOMPARE(F_Description, QStringLiteral("a#13#10b"));
}

void TestLanguage::menuCaptions_goToMenuCaptions()
{
    LoadLanguage(writeLanguage("[Menu]\nTariffs=Tariffs\nSettings=Settings\nAutoUpdate=Update\n"
                               "Evaluation=Evaluation\nExit=Quit\n"));
    QCOMPARE(MenuCaptions.Tarife, QStringLiteral("Tariffs"));
    QCOMPARE(MenuCaptions.Einstellungen, QStringLiteral("Settings"));
    QCOMPARE(MenuCaptions.AutoUpdate, QStringLiteral("Update"));
    QCOMPARE(MenuCaptions.Auswertung, QStringLiteral("Evaluation"));
    QCOMPARE(MenuCaptions.Beenden, QStringLiteral("Quit"));
    verifyBuiltInExcept({QStringLiteral("Tariffs"), QStringLiteral("Settings"), QStringLiteral("AutoUpdate"),
                         QStringLiteral("Evaluation"), QStringLiteral("Exit")});
}

void TestLanguage::namesMatchWithoutCase()
{
    LoadLanguage(writeLanguage("[MONTH]\nmarch=Mar\n[erros]\ne_monthtolow=Too low\n"));
    QCOMPARE(Monate[3], QStringLiteral("Mar"));
    QCOMPARE(E_MonthToLow, QStringLiteral("Too low"));
}

void TestLanguage::emptyValue_givesEmptyText()
{
    LoadLanguage(writeLanguage("[Warnings]\nW_NoTarif=\n"));
    QCOMPARE(W_NoTarif, QString());
    verifyBuiltInExcept({QStringLiteral("W_NoTarif")});
}

void TestLanguage::quotedValue_losesQuotes()
{
    LoadLanguage(writeLanguage("[Buttons]\nB_Next=\"  Next  \"\nB_Print='Print'\n"));
    QCOMPARE(B_Next, QStringLiteral("  Next  "));
    QCOMPARE(B_Print, QStringLiteral("Print"));
}

void TestLanguage::longValue_isCutTo2047()
{
    LoadLanguage(writeLanguage("[Feedback]\nF_ThankYou=" + QByteArray(3000, 'd') + "\n"));
    QCOMPARE(F_ThankYou, QString(2047, QLatin1Char('d')));
}

void TestLanguage::windows1252_isDecoded()
{
    LoadLanguage(writeLanguage("[Month]\nMarch=M\xE4rz\n[Warnings]\nW_LimitReached=Limit 30 \x80 erreicht\n"));
    QCOMPARE(Monate[3], QStringLiteral("M\u00e4rz"));
    QCOMPARE(W_LimitReached, QStringLiteral("Limit 30 \u20ac erreicht"));
}

void TestLanguage::garbageFile_givesBuiltInTexts()
{
    QRandomGenerator rng(42);
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    for (char &c : garbage) c = char(rng.bounded(256));
    LoadLanguage(writeLanguage(garbage));
    verifyBuiltInExcept();
}

void TestLanguage::secondLoadWithoutFile_restoresBuiltIns()
{
    LoadLanguage(writeLanguage("[Month]\nMarch=Maerz\n"));
    QCOMPARE(Monate[3], QStringLiteral("Maerz"));
    LoadLanguage(m_dir.file(QStringLiteral("other.qlf")));
    verifyBuiltInExcept();
}

void TestLanguage::convertLineBreaks_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("none") << "abc"
                          << "abc";
    QTest::newRow("only marker") << "#13#10"
                                 << "\r\n";
    QTest::newRow("at end") << "Ende#13#10"
                            << "Ende\r\n";
    QTest::newRow("at start") << "#13#10Anfang"
                              << "\r\nAnfang";
    QTest::newRow("two words") << "Hallo#13#10Welt"
                               << "Hallo\r\nWelt";
    QTest::newRow("three words") << "a#13#10b#13#10c"
                                 << "a\r\nb\r\nc";
    QTest::newRow("adjacent") << "#13#10#13#10"
                              << "\r\n\r\n";
    QTest::newRow("nested in hashes") << "##13#1010"
                                      << "#\r\n10";
    QTest::newRow("partial") << "#13#1"
                             << "#13#1";
    QTest::newRow("other codes literal") << "#13#13#10#10"
                                         << "#13\r\n#10";
}

void TestLanguage::convertLineBreaks()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(ConvertLineBreaks(input), expected);
}

// The files the program ships: each names every key itself (a translator's model leaves none out),
// german.qlf is exactly the built-in table, english.qlf replaces every text but the names that
// English spells the same, and each says its name and locale in its own section.
void TestLanguage::shippedFiles_giveEveryKey_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("sameAsGerman");   // keys whose English text is the German one
    QTest::newRow("german") << "german.qlf"
                            << "de" << QStringList();
    QTest::newRow("english") << "english.qlf"
                             << "en" << QStringList{"April", "August", "September", "November", "AutoUpdate"};
}

void TestLanguage::shippedFiles_giveEveryKey()
{
    QFETCH(QString, file);
    QFETCH(QString, locale);
    QFETCH(QStringList, sameAsGerman);
    const QString path = QStringLiteral(MINUTRIX_LANGUAGES_DIR "/") + file;
    const ProfileReader reader(path);
    for (const TLanguageEntry &row : LanguageTable()) {
        const QString value =
            reader.readString(QLatin1String(row.section), QLatin1String(row.key), QStringLiteral("<missing>"));
        QVERIFY2(value != QStringLiteral("<missing>"), row.key);
        QVERIFY2(!value.isEmpty(), row.key);
    }
    LoadLanguage(path);
    QCOMPARE(LanguageLocale, locale);
    if (locale == QLatin1String("de")) return verifyBuiltInExcept();
    for (const TLanguageEntry &row : LanguageTable()) {
        const bool same = *row.receiver == row.builtIn;
        QVERIFY2(same == sameAsGerman.contains(QLatin1String(row.key)), row.key);
    }
    QVERIFY(E_UnknownErrorAt.endsWith(QLatin1Char(' ')));   // the operation's name follows it
    QCOMPARE(A_General.count(CrLf), 2);
    QCOMPARE(A_Finished.count(CrLf), 1);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
