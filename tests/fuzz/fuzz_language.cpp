// A language file through the profile reader and the language table: read from the file or from
// its bytes, every text is the same, within the value length, and a missing key keeps its built-in text.
#include "core/Language.h"
#include "core/ProfileReader.h"
#include "tests/fuzz/FuzzFiles.h"

FUZZ_TARGET(language)
{
    static const QString path = FuzzFolder() + QStringLiteral("german.qlf");
    const QByteArray bytes = FuzzBytes(data, size);
    FuzzWrite(path, bytes);

    const ProfileReader reader = ProfileReader::fromBytes(bytes);
    LoadLanguage(path);
    for (const TLanguageEntry &row : LanguageTable()) {
        const QString section = QString::fromLatin1(row.section), key = QString::fromLatin1(row.key);
        const QString value = reader.readString(section, key, row.builtIn);
        FUZZ_CHECK(value.size() <= ProfileReader::MaxValueLength || value == row.builtIn);
        FUZZ_CHECK(*row.receiver == (row.convertLineBreaks ? ConvertLineBreaks(value) : value));
        FUZZ_CHECK(!row.convertLineBreaks || !row.receiver->contains(QStringLiteral("#13#10")));
    }
    return 0;
}
