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
// declares them. dwSize gets the structure's size (264, 412, 160, 1768 on 32-bit). Only RASCONN
// holds a pointer-sized member: its handle is 4 bytes on a 32-bit build and 8 bytes on a 64-bit
// build, which moves the names behind it by 4 bytes and makes the structure 416 bytes there.
namespace RasLayout {
constexpr std::size_t HandleBytes = sizeof(void *);
constexpr std::size_t alignUp(std::size_t n, std::size_t a) { return (n + a - 1) / a * a; }

constexpr RasDword EntryNameSize = 264;   // RASENTRYNAMEA
constexpr std::size_t EntryNameStride = 264;
constexpr std::size_t EntryName_szEntryName = 4;
constexpr std::size_t EntryNameCapacity = 257;   // 256 characters and the NUL

constexpr std::size_t Conn_hrasconn = 4;
constexpr std::size_t Conn_szEntryName = Conn_hrasconn + HandleBytes;
constexpr std::size_t Conn_szDeviceType = Conn_szEntryName + EntryNameCapacity;
constexpr std::size_t DeviceTypeCapacity = 17;
constexpr std::size_t Conn_szDeviceName = Conn_szDeviceType + DeviceTypeCapacity;
constexpr std::size_t DeviceNameCapacity = 129;
constexpr std::size_t ConnStride = alignUp(Conn_szDeviceName + DeviceNameCapacity, 4);
// RASCONNA's dwSize is the structure's size on the build's platform: 412 on 32-bit, 416 on 64-bit,
// where a RAS given 412 answers ERROR_INVALID_SIZE and the program would never see a connection.
constexpr RasDword ConnSize = RasDword(ConnStride);
constexpr std::size_t MaxConnections = 20;
static_assert(HandleBytes != 4 || ConnSize == 412);
static_assert(HandleBytes != 8 || ConnSize == 416);

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
