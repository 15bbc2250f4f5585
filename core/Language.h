#pragma once
// The language table: month names, main menu captions and the message, button and wizard texts,
// read from "<Sprache>.qlf" with built-in German defaults.
#include <QString>
#include <array>

extern std::array<QString, 13> Monate;   // 1..12

extern QString E_MonthToLow, W_NoTarif, W_ReallyClose, W_InstallNewAndClose, W_LimitReached, W_ReallyDelDB,
    E_UnknownErrorAt, B_Next, B_Finish, B_Export, B_Print, W_FillAllFields, A_General, A_Tarife, A_Finished, A_State,
    A_GesamtLimit, A_Limit, A_Freibetrag, A_Tarifname, A_TarifNumber, A_TarifModell, A_MaxTimes, F_Description,
    F_ThankYou;

// The five captions the language file may give the main menu; the main window applies them.
struct TMenuCaptions
{
    QString Tarife, Einstellungen, AutoUpdate, Auswertung, Beenden;
};
extern TMenuCaptions MenuCaptions;

struct TLanguageEntry
{
    const char *section;
    const char *key;
    QString builtIn;
    bool convertLineBreaks;
    QString *receiver;
};
// The 42 rows in the order they are read.
const std::array<TLanguageEntry, 42> &LanguageTable();

// The section of a language file that the table leaves alone and the program reads for itself:
// "[Minutrix]" with "Name=" (how the settings window lists the file) and "Locale=" (the language
// of the windows' own texts and of Qt's dialogs, "en" or "de"; German when the file has none).
extern const char *const LanguageInfoSection;
// The Locale= of the file LoadLanguage read last: "de" for the built-in texts.
extern QString LanguageLocale;

void LoadLanguage(const QString &fileName);
QString ConvertLineBreaks(QString text);
