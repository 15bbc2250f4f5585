#pragma once
// Little-endian field access for the stored record layouts.
#include <QtEndian>
#include <cstdint>
#include <cstring>

inline double GetDouble(const char *p)
{
    const std::uint64_t bits = qFromLittleEndian<std::uint64_t>(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

inline void PutDouble(char *p, double d)
{
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof d);
    qToLittleEndian<std::uint64_t>(bits, p);
}

inline std::int32_t GetInt32(const char *p) { return qFromLittleEndian<std::int32_t>(p); }
inline void PutInt32(char *p, std::int32_t v) { qToLittleEndian<std::int32_t>(v, p); }
