<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Bundeslaender</name>
    <message>
        <source>Baden-Württemberg</source>
        <translation>Baden-Württemberg</translation>
    </message>
    <message>
        <source>Bayern</source>
        <translation>Bavaria</translation>
    </message>
    <message>
        <source>Berlin</source>
        <translation>Berlin</translation>
    </message>
    <message>
        <source>Brandenburg</source>
        <translation>Brandenburg</translation>
    </message>
    <message>
        <source>Bremen</source>
        <translation>Bremen</translation>
    </message>
    <message>
        <source>Hamburg</source>
        <translation>Hamburg</translation>
    </message>
    <message>
        <source>Hessen</source>
        <translation>Hesse</translation>
    </message>
    <message>
        <source>Mecklenburg-Vorpommern</source>
        <translation>Mecklenburg-Western Pomerania</translation>
    </message>
    <message>
        <source>Niedersachsen</source>
        <translation>Lower Saxony</translation>
    </message>
    <message>
        <source>Nordrhein-Westfalen</source>
        <translation>North Rhine-Westphalia</translation>
    </message>
    <message>
        <source>Rheinland-Pfalz</source>
        <translation>Rhineland-Palatinate</translation>
    </message>
    <message>
        <source>Saarland</source>
        <translation>Saarland</translation>
    </message>
    <message>
        <source>Sachsen</source>
        <translation>Saxony</translation>
    </message>
    <message>
        <source>Sachsen-Anhalt</source>
        <translation>Saxony-Anhalt</translation>
    </message>
    <message>
        <source>Schleswig-Holstein</source>
        <translation>Schleswig-Holstein</translation>
    </message>
    <message>
        <source>Thüringen</source>
        <translation>Thuringia</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Es trat folgender Fehler auf:</source>
        <translation>The following error occurred:</translation>
    </message>
    <message>
        <source>Möchten Sie diesen Fehler jetzt melden? Dazu wird eine Internetverbindung aufgebaut!</source>
        <translation>Do you want to report this error now? An Internet connection will be made for it!</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAssistentForm</name>
    <message>
        <source>Einstellungs-Assistent</source>
        <translation>Setup Wizard</translation>
    </message>
    <message>
        <source>Willkommen bei Minutrix 2</source>
        <translation>Welcome to Minutrix 2</translation>
    </message>
    <message>
        <source>Weiter</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Bundesland:</source>
        <translation>Federal state:</translation>
    </message>
    <message>
        <source>In welchem Bundesland leben Sie?</source>
        <translation>In which federal state do you live?</translation>
    </message>
    <message>
        <source>Gesamtlimit pro Monat:</source>
        <translation>Overall limit per month:</translation>
    </message>
    <message>
        <source>Bei welchem Betrag soll das Programm warnen?</source>
        <translation>At which amount shall the program warn you?</translation>
    </message>
    <message>
        <source>Geben Sie bitte einen Namen für den Tarif ein:</source>
        <translation>Please enter a name for the tariff:</translation>
    </message>
    <message>
        <source>Geben Sie den monatlichen Freibetrag ein:</source>
        <translation>Enter the monthly free allowance:</translation>
    </message>
    <message>
        <source>€uro</source>
        <translation>euros</translation>
    </message>
    <message>
        <source>Geben Sie auch noch ein monatliches Kostenlimit an:</source>
        <translation>Please also enter a monthly cost limit:</translation>
    </message>
    <message>
        <source>Wählen Sie nun bitte die DFÜ-Verbindung, für die dieser Tarif gelten soll:</source>
        <translation>Now please choose the dial-up connection this tariff applies to:</translation>
    </message>
    <message>
        <source>Welches Tarifmodell gilt für diesen Tarif?</source>
        <translation>Which tariff model applies to this tariff?</translation>
    </message>
    <message>
        <source>Alle Tage gleich</source>
        <translation>Every day the same</translation>
    </message>
    <message>
        <source>Werk- und Sonntags unterschiedlich</source>
        <translation>Workdays and Sundays differ</translation>
    </message>
    <message>
        <source>Jeden Tag unterschiedlich</source>
        <translation>Each day different</translation>
    </message>
    <message>
        <source>Wie viele unterschiedliche Zeiten gibt es pro Tag maximal?</source>
        <translation>What is the largest number of different times per day?</translation>
    </message>
</context>
<context>
    <name>TAuswertung</name>
    <message>
        <source>„%1“ wurde nicht exportiert: Nur .txt- oder .xls-Dateien können exportiert werden (die Endung klein geschrieben).</source>
        <translation>“%1” was not exported: only .txt or .xls files can be exported (the extension in lower case).</translation>
    </message>
    <message>
        <source>Es wurde nichts gedruckt: Die bedruckbare Breite ist %1 mm, gedruckt wird erst ab %2 mm. Wählen Sie ein breiteres Papier oder das Querformat.</source>
        <translation>Nothing was printed: the printable width is %1 mm, printing needs at least %2 mm. Choose wider paper or landscape.</translation>
    </message>
    <message>
        <source>Auswertung</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <source>Monate</source>
        <translation>Months</translation>
    </message>
    <message>
        <source>Protokoll</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Textdatei (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
</context>
<context>
    <name>TAutoupdate</name>
    <message>
        <source>Prüfe auf Update</source>
        <translation>Check for update</translation>
    </message>
    <message>
        <source>Installieren</source>
        <translation>Install</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Beschreibung der neuen Version</source>
        <translation>Description of the new version</translation>
    </message>
    <message>
        <source>Das Setup %1 konnte nicht geöffnet werden. Minutrix läuft weiter.</source>
        <translation>The setup %1 could not be opened. Minutrix keeps running.</translation>
    </message>
    <message>
        <source>Fortschritt des Downloads</source>
        <translation>Download progress</translation>
    </message>
</context>
<context>
    <name>TBudgetBar</name>
    <message>
        <source>Budget</source>
        <translation>Budget</translation>
    </message>
</context>
<context>
    <name>THauptfenster</name>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Kosten der laufenden Verbindung</source>
        <translation>Cost of the current connection</translation>
    </message>
    <message>
        <source>Dauer der laufenden Verbindung</source>
        <translation>Duration of the current connection</translation>
    </message>
</context>
<context>
    <name>THourPanel</name>
    <message>
        <source>Von</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Bis</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Kosten (in Cent):</source>
        <translation>Cost (in cents):</translation>
    </message>
    <message>
        <source>Taktung (in Sek.):</source>
        <translation>Increment (in s):</translation>
    </message>
</context>
<context>
    <name>TInfofenster</name>
    <message>
        <source>Das Partnerprogramm unseres Buch-Shops</source>
        <translation>The partner programme of our book shop</translation>
    </message>
</context>
<context>
    <name>TProtokollModel</name>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Beginn</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Tarif</source>
        <translation>Tariff</translation>
    </message>
    <message>
        <source>Kosten</source>
        <translation>Cost</translation>
    </message>
</context>
<context>
    <name>TSettingForm</name>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Bundesland:</source>
        <translation>Federal state:</translation>
    </message>
    <message>
        <source>GesamtLimit:</source>
        <translation>Overall limit:</translation>
    </message>
    <message>
        <source>Sprache:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Die neue Sprache gilt ab dem nächsten Start.</source>
        <translation>The new language takes effect at the next start.</translation>
    </message>
</context>
<context>
    <name>TSlotPages</name>
    <message>
        <source>Montag</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Dienstag</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mittwoch</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Donnerstag</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Freitag</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Samstag</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sonntag</source>
        <translation>Sunday</translation>
    </message>
</context>
<context>
    <name>TTarifForm</name>
    <message>
        <source>Tarife</source>
        <translation>Tariffs</translation>
    </message>
    <message>
        <source>Neuer Tarif</source>
        <translation>New tariff</translation>
    </message>
    <message>
        <source>Tarif hinzufügen</source>
        <translation>Add tariff</translation>
    </message>
    <message>
        <source>Tarif bearbeiten</source>
        <translation>Edit tariff</translation>
    </message>
    <message>
        <source>Tarif löschen</source>
        <translation>Delete tariff</translation>
    </message>
    <message>
        <source>Fenster schließen</source>
        <translation>Close window</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Verbindung:</source>
        <translation>Connection:</translation>
    </message>
    <message>
        <source>Freibetrag:</source>
        <translation>Allowance:</translation>
    </message>
    <message>
        <source>€uro</source>
        <translation>euros</translation>
    </message>
    <message>
        <source>Limit:</source>
        <translation>Limit:</translation>
    </message>
    <message>
        <source>Zeiten pro Tag:</source>
        <translation>Times per day:</translation>
    </message>
    <message>
        <source>Verschiedene Tarife</source>
        <translation>Different tariffs</translation>
    </message>
    <message>
        <source>Immer gleich</source>
        <translation>Always the same</translation>
    </message>
    <message>
        <source>Werktags / Sonntags</source>
        <translation>Workdays / Sundays</translation>
    </message>
    <message>
        <source>Jeden Tag verschieden</source>
        <translation>Each day different</translation>
    </message>
    <message>
        <source>Wollen Sie den Tarif wirklich löschen?</source>
        <translation>Do you really want to delete the tariff?</translation>
    </message>
</context>
</TS>
