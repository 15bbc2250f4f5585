#include "core/LanguageFiles.h"

#include "core/Language.h"
#include "core/ProfileReader.h"
#include "core/ProgramDir.h"
#include "core/Win1252.h"

#include <QDir>
#include <QSet>

namespace {
const QString Suffix = QStringLiteral(".qlf");

bool storableInSprache(const QString &baseName)
{
    const QByteArray bytes = ToWin1252(baseName);
    return !baseName.isEmpty() && bytes.size() <= 255 && FromWin1252(bytes) == baseName;
}

void addFolder(const QString &folder, std::vector<TLanguageFile> &found, QSet<QString> &taken)
{
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*") + Suffix}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString baseName = file.fileName().chopped(Suffix.size());
        if (!file.fileName().endsWith(Suffix) || !storableInSprache(baseName) || taken.contains(baseName)) continue;
        taken.insert(baseName);
        const ProfileReader reader(file.filePath());
        QString name = reader.readString(QLatin1String(LanguageInfoSection), QStringLiteral("Name"), QString());
        name = name.simplified();
        found.push_back({baseName, name.isEmpty() ? baseName : name, file.filePath()});
    }
}

bool plainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}
}

std::vector<TLanguageFile> AvailableLanguages()
{
    std::vector<TLanguageFile> found;
    QSet<QString> taken;
    addFolder(ProgramDir(), found, taken);
    if (QDir(ShippedLanguageDir()) != QDir(ProgramDir())) addFolder(ShippedLanguageDir(), found, taken);
    return found;
}

std::array<QString, 13> LanguageMonthNames(const QString &path)
{
    const ProfileReader reader(path);
    std::array<QString, 13> names;
    for (size_t m = 1; m <= 12; ++m) {
        const TLanguageEntry &row = LanguageTable()[m - 1];
        names[m] = reader.readString(QLatin1String(row.section), QLatin1String(row.key), row.builtIn);
    }
    return names;
}

std::array<QStringList, 13> KnownMonthNames()
{
    std::vector<std::array<QString, 13>> languages;
    std::array<QString, 13> current = Monate, builtIn;
    for (size_t m = 1; m <= 12; ++m) builtIn[m] = LanguageTable()[m - 1].builtIn;
    languages.push_back(current);
    languages.push_back(builtIn);
    for (const TLanguageFile &file : AvailableLanguages()) languages.push_back(LanguageMonthNames(file.path));

    std::array<QStringList, 13> known;
    QHash<QString, size_t> claimedBy;
    for (const auto &names : languages) {
        for (size_t m = 1; m <= 12; ++m) {
            const QString &name = names[m];
            if (!plainFileName(name)) continue;
            const auto claim = claimedBy.constFind(name);
            if (claim != claimedBy.cend()) continue;   // this month's already, or another month's
            claimedBy.insert(name, m);
            known[m] << name;
        }
    }
    return known;
}
