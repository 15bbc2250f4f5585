#!/usr/bin/env bash
# Proves that the plain-C++ RAS layer and the Windows RAS module compile for Windows
# (mingw-w64), and holds the byte offsets the layer uses against the platform's own
# declarations of the RAS structures. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

# Both widths: the 32-bit build writes RASCONN's 412 bytes, the 64-bit build 416.
compilers=(i686-w64-mingw32-g++ x86_64-w64-mingw32-g++)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/layout_check.cpp" <<'CPP'
#include <windows.h>
#include <ras.h>
#include <cstddef>
#include <type_traits>
#include "dialup/RasLayout.h"

static_assert(std::is_same_v<RasDword, DWORD>);
static_assert(sizeof(HRASCONN) == RasLayout::HandleBytes);
static_assert(offsetof(RASENTRYNAMEA, szEntryName) == RasLayout::EntryName_szEntryName);
static_assert(sizeof(static_cast<RASENTRYNAMEA *>(nullptr)->szEntryName) == RasLayout::EntryNameCapacity);
static_assert(offsetof(RASCONNA, hrasconn) == RasLayout::Conn_hrasconn);
static_assert(offsetof(RASCONNA, szEntryName) == RasLayout::Conn_szEntryName);
static_assert(offsetof(RASCONNA, szDeviceType) == RasLayout::Conn_szDeviceType);
static_assert(sizeof(static_cast<RASCONNA *>(nullptr)->szDeviceType) == RasLayout::DeviceTypeCapacity);
static_assert(offsetof(RASCONNA, szDeviceName) == RasLayout::Conn_szDeviceName);
static_assert(sizeof(static_cast<RASCONNA *>(nullptr)->szDeviceName) == RasLayout::DeviceNameCapacity);

// The check is compiled for WINVER 0x0400, the generation the layer speaks, yet mingw declares the
// newest generation of the structures whatever WINVER says. So the Windows 95 / NT 4 generation is
// declared here from the platform's own member types, constants and packing: each must be the
// platform's structure cut before the first member added later, and its size the one the layer
// writes.
#include <pshpack4.h>
struct RasEntryName400
{
    DWORD dwSize;
    CHAR szEntryName[RAS_MaxEntryName + 1];
};
struct RasConn400
{
    DWORD dwSize;
    HRASCONN hrasconn;
    CHAR szEntryName[RAS_MaxEntryName + 1];
    CHAR szDeviceType[RAS_MaxDeviceType + 1];
    CHAR szDeviceName[RAS_MaxDeviceName + 1];
};
struct RasConnStatus400
{
    DWORD dwSize;
    RASCONNSTATE rasconnstate;
    DWORD dwError;
    CHAR szDeviceType[RAS_MaxDeviceType + 1];
    CHAR szDeviceName[RAS_MaxDeviceName + 1];
};
struct RasEntry400
{
    DWORD dwSize, dwfOptions, dwCountryID, dwCountryCode;
    CHAR szAreaCode[RAS_MaxAreaCode + 1];
    CHAR szLocalPhoneNumber[RAS_MaxPhoneNumber + 1];
    DWORD dwAlternateOffset;
    RASIPADDR ipaddr, ipaddrDns, ipaddrDnsAlt, ipaddrWins, ipaddrWinsAlt;
    DWORD dwFrameSize, dwfNetProtocols, dwFramingProtocol;
    CHAR szScript[MAX_PATH];
    CHAR szAutodialDll[MAX_PATH];
    CHAR szAutodialFunc[MAX_PATH];
    CHAR szDeviceType[RAS_MaxDeviceType + 1];
    CHAR szDeviceName[RAS_MaxDeviceName + 1];
    CHAR szX25PadType[RAS_MaxPadType + 1];
    CHAR szX25Address[RAS_MaxX25Address + 1];
    CHAR szX25Facilities[RAS_MaxFacilities + 1];
    CHAR szX25UserData[RAS_MaxUserData + 1];
    DWORD dwChannels, dwReserved1, dwReserved2;
};
#include <poppack.h>

#define SAME(old, now, member) static_assert(offsetof(old, member) == offsetof(now, member))
SAME(RasEntryName400, RASENTRYNAMEA, szEntryName);
SAME(RasConn400, RASCONNA, hrasconn);
SAME(RasConn400, RASCONNA, szEntryName);
SAME(RasConn400, RASCONNA, szDeviceType);
SAME(RasConn400, RASCONNA, szDeviceName);
SAME(RasConnStatus400, RASCONNSTATUSA, rasconnstate);
SAME(RasConnStatus400, RASCONNSTATUSA, dwError);
SAME(RasConnStatus400, RASCONNSTATUSA, szDeviceType);
SAME(RasConnStatus400, RASCONNSTATUSA, szDeviceName);
SAME(RasEntry400, RASENTRYA, szLocalPhoneNumber);
SAME(RasEntry400, RASENTRYA, szScript);
SAME(RasEntry400, RASENTRYA, szX25UserData);
SAME(RasEntry400, RASENTRYA, dwReserved2);
// Nothing of the later generation is left out: its first member starts where the old one ended.
using RasLayout::alignUp;
static_assert(alignUp(offsetof(RASENTRYNAMEA, dwFlags), 4) == sizeof(RasEntryName400));
static_assert(alignUp(offsetof(RASCONNA, szPhonebook), 4) == sizeof(RasConn400));
static_assert(alignUp(offsetof(RASCONNSTATUSA, szPhoneNumber), 4) == sizeof(RasConnStatus400));
static_assert(alignUp(offsetof(RASENTRYA, dwSubEntries), 4) == sizeof(RasEntry400));
// The sizes the layer writes into dwSize (its buffers' strides are the same sizes).
static_assert(sizeof(RasEntryName400) == RasLayout::EntryNameSize);
static_assert(sizeof(RasConn400) == RasLayout::ConnSize);
static_assert(sizeof(RasConnStatus400) == RasLayout::ConnStatusSize);
static_assert(sizeof(RasEntry400) == RasLayout::EntrySize);
static_assert(offsetof(RASCONNSTATUSA, rasconnstate) == RasLayout::ConnStatus_rasconnstate);
static_assert(offsetof(RASENTRYA, szLocalPhoneNumber) == RasLayout::Entry_szLocalPhoneNumber);
static_assert(sizeof(static_cast<RASENTRYA *>(nullptr)->szLocalPhoneNumber) == RasLayout::PhoneNumberCapacity);
CPP

status=0
for cxx in "${compilers[@]}"; do
  if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "check-windows-build: $cxx not found" >&2
    exit 2
  fi
  for src in dialup/Ras.cpp dialup/RasWindows.cpp "$work/layout_check.cpp"; do
    echo "$cxx $src"
    defines=()
    if [[ $src == */layout_check.cpp ]]; then defines=(-DWINVER=0x0400 -D_WIN32_WINNT=0x0400); fi
    if ! "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror "${defines[@]}" -I. -c "$src" -o "$work/out.o"; then
      status=1
    fi
  done
done
# The core's Windows file access, against this machine's Qt headers (they are the same for every
# platform; only the syntax and the Windows calls are checked, nothing is linked).
qt=$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
for cxx in "${compilers[@]}"; do
  for src in core/ReplaceFile.cpp core/ReplaceFileWindows.cpp; do
    echo "$cxx $src (syntax)"
    if ! "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I. -isystem "$qt" -isystem "$qt/QtCore" "$src"; then
      status=1
    fi
  done
done
if [[ $status -eq 0 ]]; then echo "check-windows-build: ok"; else echo "check-windows-build: FAILED" >&2; fi
exit $status
