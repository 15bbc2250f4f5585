// A language file through the profile reader and the language table.
#include "FuzzFiles.h"
#include "Language.h"
#include "ProfileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ProfileReader reader = ProfileReader::fromBytes(bytes);
    if (reader.readString(QStringLiteral("Month"), QStringLiteral("March"), QStringLiteral("x")).size()
        > ProfileReader::MaxValueLength)
        std::abort();
    LoadLanguage(FuzzFile(QStringLiteral("german.qlf"), data, size));
    return 0;
}
