#!/usr/bin/env bash
# Writes the pictures of the windows under docs/, drawn on a virtual X display as a user sees them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target tariff_screenshots evaluation_screenshots online_screenshots
display=:${MINUTRIX_XVFB_DISPLAY:-96}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=de_DE.UTF-8 ./build/tests/tariffs/window/tariff_screenshots docs
DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=de_DE.UTF-8 ./build/tests/evaluation/window/evaluation_screenshots docs
DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=de_DE.UTF-8 ./build/tests/online/window/online_screenshots docs
