// settings and language: the two configuration files, shown as the program reads them.
#include "Bytes.h"
#include "CliCommands.h"
#include "CliSupport.h"
#include "Language.h"
#include "SettingsStore.h"

QByteArray RunSettings(const QStringList &args)
{
    RequireArgumentCount(args, 2, 2);
    const QString path = args[1];
    // The program tolerates a short file by keeping earlier values; the tool has none to keep.
    const QByteArray data = ReadRegularFile(path, SettingsSize);
    if (data.size() < SettingsSize)
        FileError(path,
                  QStringLiteral("is not a settings file: %1 bytes instead of %2").arg(data.size()).arg(SettingsSize));
    ShortString<255> sprache;
    sprache.read(data.constData() + 10);
    return QByteArray("ErsterStart=") + QByteArray::number(std::uint8_t(data[0]))
           + "\nBundesland=" + QByteArray::number(std::uint8_t(data[1])) + "\nGesamtLimit="
           + FormatNumber(GetDouble(data.constData() + 2)) + "\nSprache=" + EscapeText(sprache) + '\n';
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
