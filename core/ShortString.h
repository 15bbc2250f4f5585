#pragma once
// A length-prefixed string field of a stored record: one length byte, then up to N characters in
// Windows-1252. The bytes after the value stay as they were, so a loaded record saves back byte for byte.
#include "core/Win1252.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

template <int N>
struct ShortString
{
    static_assert(N > 0 && N <= 255);
    static constexpr int Size = N + 1;
    std::array<std::uint8_t, N + 1> bytes{};

    int length() const { return std::min<int>(bytes[0], N); }
    QString value() const { return FromWin1252(reinterpret_cast<const char *>(bytes.data() + 1), length()); }
    operator QString() const { return value(); }

    // Stores the text, cut to N characters.
    void set(const QString &text) { setBytes(ToWin1252(text)); }
    ShortString &operator=(const QString &text)
    {
        set(text);
        return *this;
    }
    void setBytes(const QByteArray &raw)
    {
        const int n = std::min<int>(int(raw.size()), N);
        bytes[0] = std::uint8_t(n);
        if (n) std::memcpy(bytes.data() + 1, raw.constData(), size_t(n));
    }
    QByteArray rawValue() const { return QByteArray(reinterpret_cast<const char *>(bytes.data() + 1), length()); }

    // Compared as stored strings: length and characters, not the bytes after them.
    template <int M>
    bool sameAs(const ShortString<M> &other) const
    {
        return rawValue() == other.rawValue();
    }

    void read(const char *p) { std::memcpy(bytes.data(), p, Size); }
    void write(char *p) const { std::memcpy(p, bytes.data(), Size); }
};
