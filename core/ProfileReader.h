#pragma once
// An INI reader that answers like the Windows profile-string reader does for the language file:
// the file is read once, "[section]" lines open sections, "key=value" lines are entries,
// names match without regard to case, blanks around key and value are dropped, one pair of
// enclosing double or single quotes is removed, and a value is cut to 2047 characters.
#include <QHash>
#include <QString>

class ProfileReader
{
public:
    static constexpr int MaxValueLength = 2047;
    // Anything past this is not a language file; the rest is ignored instead of filling memory.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    ProfileReader() = default;
    // Reads the whole file now; a missing or unreadable file, or one that is not a regular file
    // (a FIFO is never opened), behaves like an empty one.
    explicit ProfileReader(const QString &fileName);
    static ProfileReader fromBytes(const QByteArray &bytes);

    bool exists() const { return m_exists; }
    // The value of key in section, or defaultValue when the section or the key is missing.
    // A key present with nothing after '=' yields "".
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    void parse(const QByteArray &bytes);

    bool m_exists = false;
    // Case-folded section name -> case-folded key -> value; the first occurrence of each wins.
    QHash<QString, QHash<QString, QString>> m_sections;
};
