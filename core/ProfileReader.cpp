#include "core/ProfileReader.h"

#include "core/ReplaceFile.h"
#include "core/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <algorithm>

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.mid(b, e - b);
}

QString fold(QStringView s) { return s.toString().toCaseFolded(); }

QString stripQuotes(QStringView v)
{
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) v = v.mid(1, v.size() - 2);
    return v.left(ProfileReader::MaxValueLength).toString();
}
}

ProfileReader::ProfileReader(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir()) return;
    m_exists = true;
    // A FIFO, socket or device reads like an unreadable file: opening one could block for ever.
    QFile f;
    if (!OpenRegularFile(f, fileName)) return;
    // In pieces: asking for MaxFileSize at once would reserve all of it for a file of a few KB.
    QByteArray bytes;
    while (bytes.size() < MaxFileSize) {
        const QByteArray piece = f.read(std::min<qint64>(64 * 1024, MaxFileSize - bytes.size()));
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    parse(bytes);
}

ProfileReader ProfileReader::fromBytes(const QByteArray &bytes)
{
    ProfileReader r;
    r.m_exists = true;
    r.parse(bytes.left(MaxFileSize));
    return r;
}

void ProfileReader::parse(const QByteArray &bytes)
{
    // The file is ANSI text. An editor that puts a UTF-8 signature in front has written UTF-8,
    // and reading the signature as three 1252 characters would hide the first section.
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    const QString text = bytes.startsWith(utf8Bom) ? QString::fromUtf8(bytes.mid(3)) : FromWin1252(bytes);

    // Entries before any section, and in a repeated section, cannot be looked up.
    QString current;
    bool inSection = false;
    const QStringView all(text);
    qsizetype pos = 0;
    while (pos < all.size()) {
        // CR LF, LF and a lone CR all end a line; the empty line between CR and LF is skipped.
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\n' && all[end] != u'\r') ++end;
        QStringView line = trimBlanks(all.mid(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty() || line.front() == u';') continue;

        if (line.front() == u'[') {
            const qsizetype close = line.lastIndexOf(u']');
            if (close > 0) {
                const QString name = fold(trimBlanks(line.mid(1, close - 1)));
                // A section that appears again adds nothing: lookups stop at its first occurrence.
                inSection = !m_sections.contains(name);
                if (inSection) {
                    current = name;
                    m_sections.insert(name, {});
                }
                continue;
            }
            // No closing bracket: not a header, read it like any other line.
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || !inSection) continue;   // a key without '=' has no value: the default applies
        const QString key = fold(trimBlanks(line.left(eq)));
        QHash<QString, QString> &entries = m_sections[current];
        if (key.isEmpty() || entries.contains(key)) continue;   // the first entry of a key wins
        entries.insert(key, stripQuotes(trimBlanks(line.mid(eq + 1))));
    }
}

QString ProfileReader::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const auto s = m_sections.constFind(section.toCaseFolded());
    if (s == m_sections.cend()) return defaultValue;
    const auto k = s->constFind(key.toCaseFolded());
    return k == s->cend() ? defaultValue : *k;
}
