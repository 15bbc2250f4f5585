#include "core/Win1252.h"

namespace {
// 0x80..0x9F; 0 marks the five unassigned positions, which map to the same C1 code point.
const char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                           0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                           0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t decode(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0 && High[b - 0x80]) return High[b - 0x80];
    return char16_t(b);
}

char encode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (int i = 0; i < 32; ++i)
        if (High[i] == c || (!High[i] && c == 0x80 + i)) return char(0x80 + i);
    return '?';
}
}

QString FromWin1252(const char *bytes, int length)
{
    QString s;
    s.reserve(length);
    for (int i = 0; i < length; ++i) s.append(QChar(decode(static_cast<unsigned char>(bytes[i]))));
    return s;
}

QByteArray ToWin1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');   // one character outside the BMP becomes one '?'
            ++i;
            continue;
        }
        out.append(encode(c.unicode()));
    }
    return out;
}
