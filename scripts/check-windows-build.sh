#!/usr/bin/env bash
# Proves that the plain-C++ RAS layer and the Windows RAS module compile for Windows
# (mingw-w64), and holds the byte offsets the layer uses against the platform's own
# declarations of the RAS structures. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

compilers=(x86_64-w64-mingw32-g++)
# The 32-bit compiler, when installed, checks the 412-byte RASCONN as well.
if command -v i686-w64-mingw32-g++ >/dev/null 2>&1; then compilers+=(i686-w64-mingw32-g++); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/layout_check.cpp" <<'CPP'
#include <windows.h>
#include <ras.h>
#include <cstddef>
#include <type_traits>
#include "RasLayout.h"

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
// mingw declares the newest generation of the structures; the sizes the layer writes are those of
// the Windows 95 / NT 4 generation: everything before the first member added later, padded to 4.
using RasLayout::alignUp;
static_assert(alignUp(offsetof(RASENTRYNAMEA, dwFlags), 4) == RasLayout::EntryNameSize);
static_assert(alignUp(offsetof(RASCONNA, szPhonebook), 4) == RasLayout::ConnSize);
static_assert(alignUp(offsetof(RASCONNSTATUSA, szPhoneNumber), 4) == RasLayout::ConnStatusSize);
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
    if ! "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror -Idialup -c "$src" -o "$work/out.o"; then
      status=1
    fi
  done
done
if [[ $status -eq 0 ]]; then echo "check-windows-build: ok"; else echo "check-windows-build: FAILED" >&2; fi
exit $status
