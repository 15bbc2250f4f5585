#!/usr/bin/env bash
# Installs what building, running and testing Minutrix needs on Debian 12 (only what is missing).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev libbenchmark-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 clang clang-format libclang-rt-14-dev
  xvfb xauth x11-utils imagemagick poppler-utils fonts-dejavu-core fonts-liberation
)

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
