#pragma once
// Types and byte layouts of the RAS structures the program exchanges. Kept free of everything
// else so that the Windows build check can hold these offsets against the platform's headers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#ifdef _WIN32
using RasDword = unsigned long;   // the platform's DWORD, so pointers match the real entry points
#define RAS_CALL __stdcall
#else
using RasDword = std::uint32_t;
#define RAS_CALL
#endif
static_assert(sizeof(RasDword) == 4);

using RasHandle = std::uintptr_t;   // HRASCONN; a pointer-sized handle

// The ANSI structures in their Windows 95 / NT 4 generation, packed to 4 bytes as the platform
// declares them. dwSize gets the structure's size on the build's platform: 264, 412, 160 and 1768
// on 32-bit. Only RASCONN holds a pointer-sized member: its handle is 4 bytes on a 32-bit build and
// 8 bytes on a 64-bit build, which moves the names behind it by 4 bytes and makes the structure
// 416 bytes there. scripts/check-windows-build.sh holds every size against the platform's headers.
namespace RasLayout {
constexpr std::size_t HandleBytes = sizeof(void *);
constexpr std::size_t alignUp(std::size_t n, std::size_t a) { return (n + a - 1) / a * a; }

constexpr RasDword EntryNameSize = 264;   // RASENTRYNAMEA
constexpr std::size_t EntryNameStride = EntryNameSize;
constexpr std::size_t EntryName_szEntryName = 4;
constexpr std::size_t EntryNameCapacity = 257;   // 256 characters and the NUL

constexpr std::size_t DeviceTypeCapacity = 17;
constexpr std::size_t DeviceNameCapacity = 129;

// RASCONNA for a handle of the given width; the build uses HandleBytes. Kept as a formula so the
// tests check the 32-bit layout on a 64-bit host and the other way round.
struct ConnLayout
{
    std::size_t szEntryName, szDeviceType, szDeviceName, size;
};
constexpr ConnLayout connLayoutFor(std::size_t handleBytes)
{
    const std::size_t entryName = 4 + handleBytes;   // packing 4: the handle needs no padding
    const std::size_t deviceType = entryName + EntryNameCapacity;
    const std::size_t deviceName = deviceType + DeviceTypeCapacity;
    return {entryName, deviceType, deviceName, alignUp(deviceName + DeviceNameCapacity, 4)};
}
constexpr std::size_t Conn_hrasconn = 4;
constexpr std::size_t Conn_szEntryName = connLayoutFor(HandleBytes).szEntryName;
constexpr std::size_t Conn_szDeviceType = connLayoutFor(HandleBytes).szDeviceType;
constexpr std::size_t Conn_szDeviceName = connLayoutFor(HandleBytes).szDeviceName;
constexpr std::size_t ConnStride = connLayoutFor(HandleBytes).size;
// dwSize is the structure's size on the build's platform: a 64-bit RAS given the 32-bit 412
// answers ERROR_INVALID_SIZE, and the program would never see a connection.
constexpr RasDword ConnSize = RasDword(ConnStride);
constexpr std::size_t MaxConnections = 20;
static_assert(connLayoutFor(4).size == 412 && connLayoutFor(8).size == 416);

constexpr RasDword ConnStatusSize = 160;   // RASCONNSTATUSA
constexpr std::size_t ConnStatus_rasconnstate = 4;

constexpr RasDword EntrySize = 1768;                   // RASENTRYA
constexpr std::size_t Entry_szLocalPhoneNumber = 27;   // after four DWORDs and szAreaCode[11]
constexpr std::size_t PhoneNumberCapacity = 129;
}

// Members are read and written byte by byte, little-endian as on the platform; the structures
// are never mapped onto C++ structs. The caller guarantees the bytes lie inside its buffer.
RasDword ReadRasDword(const void *at);
void WriteRasDword(void *at, RasDword value);
RasHandle ReadRasHandle(const void *at);   // RasLayout::HandleBytes bytes
void WriteRasHandle(void *at, RasHandle value);
// A string member: up to the first NUL and never more than capacity - 1 characters.
std::string ReadRasString(const void *at, std::size_t capacity);
// Writes at most capacity - 1 characters and the NUL.
void WriteRasString(void *at, std::size_t capacity, std::string_view text);
