#include "core/Language.h"

#include "core/ProfileReader.h"

#include <QFileInfo>

std::array<QString, 13> Monate;

QString E_MonthToLow, W_NoTarif, W_ReallyClose, W_InstallNewAndClose, W_LimitReached, W_ReallyDelDB, E_UnknownErrorAt,
    B_Next, B_Finish, B_Export, B_Print, W_FillAllFields, A_General, A_Tarife, A_Finished, A_State, A_GesamtLimit,
    A_Limit, A_Freibetrag, A_Tarifname, A_TarifNumber, A_TarifModell, A_MaxTimes, F_Description, F_ThankYou;

TMenuCaptions MenuCaptions;

const char *const LanguageInfoSection = "Minutrix";
QString LanguageLocale = QStringLiteral("de");

const std::array<TLanguageEntry, 42> &LanguageTable()
{
    static const std::array<TLanguageEntry, 42> table{{
        {"Month", "January", u"Januar"_qs, false, &Monate[1]},
        {"Month", "February", u"Februar"_qs, false, &Monate[2]},
        {"Month", "March", u"März"_qs, false, &Monate[3]},
        {"Month", "April", u"April"_qs, false, &Monate[4]},
        {"Month", "May", u"Mai"_qs, false, &Monate[5]},
        {"Month", "June", u"Juni"_qs, false, &Monate[6]},
        {"Month", "July", u"Juli"_qs, false, &Monate[7]},
        {"Month", "August", u"August"_qs, false, &Monate[8]},
        {"Month", "September", u"September"_qs, false, &Monate[9]},
        {"Month", "Oktober", u"Oktober"_qs, false, &Monate[10]},   // the key is the German spelling
        {"Month", "November", u"November"_qs, false, &Monate[11]},
        {"Month", "December", u"Dezember"_qs, false, &Monate[12]},
        {"Menu", "Tariffs", u"Tarife"_qs, false, &MenuCaptions.Tarife},
        {"Menu", "Settings", u"Einstellungen"_qs, false, &MenuCaptions.Einstellungen},
        {"Menu", "AutoUpdate", u"Auto-Update"_qs, false, &MenuCaptions.AutoUpdate},
        {"Menu", "Evaluation", u"Auswertung"_qs, false, &MenuCaptions.Auswertung},
        {"Menu", "Exit", u"Beenden"_qs, false, &MenuCaptions.Beenden},
        // "Erros" is how the language files spell it.
        {"Erros", "E_MonthToLow", u"Fehler: Der Zahlenwert des Monats ist kleiner als 1!"_qs, false, &E_MonthToLow},
        {"Warnings", "W_NoTarif", u"Es existiert für diese Verbindung kein Tarif. Bitte geben Sie jetzt einen ein."_qs,
         false, &W_NoTarif},
        {"Warnings", "W_ReallyClose",
         u"Möchten Sie das Programm wirklich beenden? Die Überwachung wird dadurch beendet!"_qs, false, &W_ReallyClose},
        {"Warnings", "W_InstallNewAndClose",
         u"Die neue Version des Minutrixs wird jetzt installiert. Dazu wird die Überwachung beendet."_qs, false,
         &W_InstallNewAndClose},
        {"Warnings", "W_LimitReached", u"Das Limit wurde erreicht!"_qs, false, &W_LimitReached},
        {"Warnings", "W_ReallyDelDB", u"Datenbankdatei wirklich löschen?"_qs, false, &W_ReallyDelDB},
        {"Erros", "E_UnknownErrorAt", u"Es trat ein unbekannter Fehler in der folgenden Funktion auf: "_qs, false,
         &E_UnknownErrorAt},
        {"Buttons", "B_Next", u"Weiter"_qs, false, &B_Next},
        {"Buttons", "B_Finish", u"Fertigstellen"_qs, false, &B_Finish},
        {"Buttons", "B_Export", u"Exportieren"_qs, false, &B_Export},
        {"Buttons", "B_Print", u"Drucken"_qs, false, &B_Print},
        {"Warnings", "W_FillAllFields", u"Bitte füllen Sie alle Felder korrekt aus!"_qs, false, &W_FillAllFields},
        {"Assistent", "A_General",
         u"Willkommen bei Minutrix 2\r\n"
         u"Dieser Assistent wird Sie durch die Einrichtung führen.\r\n"
         u"Zuerst sind ein paar allgemeine Einstellungen nötig:"_qs,
         true, &A_General},
        {"Assistent", "A_Tarife",
         u"Das Programm benötigt nun Informationen über Ihren Internetzugang um die Kosten korrekt berechnen zu können."_qs,
         true, &A_Tarife},
        {"Assistent", "A_Finished",
         u"Die Einrichtung ist abgeschlossen. Sie können das Programm jetzt verwenden. Bei Fragen oder Anregungen "
         u"wenden Sie sich bitte an support@minutrix.de\r\n"
         u"Die Einstellungen können Sie jederzeit im Menü Minutrix unter den Punkten \"Einstellungen\" bzw. "
         u"\"Tarife\" ändern."_qs,
         true, &A_Finished},
        {"Assistent", "A_State", u"Bundesland:"_qs, false, &A_State},
        {"Assistent", "A_GesamtLimit", u"Gesamtlimit pro Monat:"_qs, false, &A_GesamtLimit},
        {"Assistent", "A_Limit", u"Geben Sie auch noch ein monatliches Kostenlimit an:"_qs, false, &A_Limit},
        {"Assistent", "A_Freibetrag", u"Geben Sie den monatlichen Freibetrag ein:"_qs, false, &A_Freibetrag},
        {"Assistent", "A_Tarifname", u"Geben Sie bitte einen Namen für diesen Tarif ein:"_qs, false, &A_Tarifname},
        {"Assistent", "A_TarifNumber", u"Wählen Sie nun bitte die DFÜ-Verbindung, für die dieser Tarif gelten soll:"_qs,
         false, &A_TarifNumber},
        {"Assistent", "A_TarifModell", u"Welches Tarifmodell gilt für diesen Tarif?"_qs, false, &A_TarifModell},
        {"Assistent", "A_MaxTimes", u"Wie viele unterschiedliche Zeiten gibt es pro Tag maximal?"_qs, false,
         &A_MaxTimes},
        {"Feedback", "F_Description", u"Beschreibung"_qs, false, &F_Description},
        {"Feedback", "F_ThankYou", u"Danke für Ihre Mitarbeit Minutrix zu verbessern."_qs, false, &F_ThankYou},
    }};
    return table;
}

namespace {
void useBuiltInTexts()
{
    for (const TLanguageEntry &row : LanguageTable()) *row.receiver = row.builtIn;
}

// Until the language file is read (a report during start-up comes before it), every text is its
// built-in German one, never empty. The texts above are constructed before this runs.
const bool builtInTextsSet = (useBuiltInTexts(), true);
}

void LoadLanguage(const QString &fileName)
{
    const auto &table = LanguageTable();
    LanguageLocale = QStringLiteral("de");
    if (!QFileInfo::exists(fileName)) return useBuiltInTexts();
    const ProfileReader reader(fileName);
    const QString locale =
        reader.readString(QLatin1String(LanguageInfoSection), QStringLiteral("Locale"), QString()).trimmed();
    if (!locale.isEmpty()) LanguageLocale = locale;
    for (const TLanguageEntry &row : table) {
        QString value = reader.readString(QString::fromLatin1(row.section), QString::fromLatin1(row.key), row.builtIn);
        if (row.convertLineBreaks) value = ConvertLineBreaks(value);
        *row.receiver = value;
    }
}

QString ConvertLineBreaks(QString text)
{
    static const QString marker = QStringLiteral("#13#10");
    // Each pass searches from the start of the text as it now stands.
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker))
        text = text.left(at) + QStringLiteral("\r\n") + text.mid(at + marker.size());
    return text;
}
