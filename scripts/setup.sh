#!/usr/bin/env bash
# Installs what building and running Minutrix needs on Debian 12 (only what is missing).
# `scripts/setup.sh --tests` adds what only the tests and checks need: the cross compilers, clang
# for fuzzing, Google Benchmark, libxcb for the start-up benchmark's timer, the packaging checkers,
# and a private D-Bus daemon with python-dbusmock for the NetworkManager and desktop tests.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools libgl-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev
  xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-liberation
)
if [[ ${1:-} == --tests ]]; then
  packages+=(
    poppler-utils libbenchmark-dev libxcb1-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 clang clang-format libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream
    dbus-daemon python3-dbusmock
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
