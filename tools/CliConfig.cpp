// settings and language: the two configuration files, shown as the program reads them.
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"

#include <QFileInfo>
#include <cstdio>

QByteArray RunSettings(const QStringList &args)
{
    RequireArgumentCount(args, 1, 2);
    const QString path = ArgumentOr(args, 1, SettingsPath());
    const QByteArray data = ReadRegularFile(path, SettingsSize);
    // The program reads the first bytes of a file of another size over the values it starts with
    // (all zero) and keeps those for the rest: shown the same, with a warning.
    const qint64 size = QFileInfo(path).size();
    if (size != SettingsSize)
        std::fprintf(
            stderr,
            "minutrix-cli: warning: %s has %lld bytes, not the program's %d; shown as the program would load it\n",
            qPrintable(path), static_cast<long long>(size), SettingsSize);
    QByteArray image(SettingsSize, '\0');
    image.replace(0, data.size(), data);
    const TSettingsWerte w = ParseSettings(image.constData());
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
