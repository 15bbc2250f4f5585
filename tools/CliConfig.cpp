// settings and language: the two configuration files, shown as the program reads them.
#include "CliCommands.h"
#include "CliSupport.h"
#include "Language.h"
#include "SettingsStore.h"

QByteArray RunSettings(const QStringList &args)
{
    RequireArgumentCount(args, 1, 2);
    const QString path = ArgumentOr(args, 1, SettingsPath());
    // The program tolerates a short file by keeping earlier values; the tool has none to keep.
    const QByteArray data = ReadRegularFile(path, SettingsSize);
    if (data.size() < SettingsSize)
        FileError(path,
                  QStringLiteral("is not a settings file: %1 bytes instead of %2").arg(data.size()).arg(SettingsSize));
    const TSettingsWerte w = ParseSettings(data.constData());
    return QByteArray("ErsterStart=") + QByteArray::number(w.ErsterStart)
           + "\nBundesland=" + QByteArray::number(w.Bundesland) + "\nGesamtLimit=" + FormatNumber(w.GesamtLimit)
           + "\nSprache=" + EscapeText(w.Sprache) + '\n';
}

QByteArray RunLanguage(const QStringList &args)
{
    RequireArgumentCount(args, 2, 2);
    const QString path = args[1];
    // A missing file is no error for the program (it uses the built-in texts); here it is one.
    ReadRegularFile(path, 1);
    LoadLanguage(path);
    QByteArray out;
    for (const TLanguageEntry &row : LanguageTable())
        out += QByteArray(row.section) + '/' + row.key + '=' + EscapeText(*row.receiver) + '\n';
    return out;
}
