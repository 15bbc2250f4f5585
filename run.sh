#!/usr/bin/env bash
# Sets up everything that is missing, builds Minutrix and starts it.
# The program keeps its data beside the executable, in $MINUTRIX_HOME (default ~/Minutrix);
# a rebuild replaces only the executable there, never tariffs, settings or month logs.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target minutrix minutrix-cli
home=${MINUTRIX_HOME:-$HOME/Minutrix}
mkdir -p "$home"
cmake --install build --prefix "$home" --component Unspecified >/dev/null

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$home/minutrix"
fi

echo "No display available: starting Minutrix on a virtual display (Xvfb)."
display=:${MINUTRIX_XVFB_DISPLAY:-97}
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
"$home/minutrix" &
program=$!
trap 'kill $program 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 3
# The main window is the one with the program's class (the others named "Minutrix" are Qt's helpers).
window=$(xwininfo -root -tree 2>/dev/null | awk '/"Minutrix": \("minutrix"/ {print $1; exit}')
shot="$home/screenshot.png"
if [[ -n $window ]]; then
  import -window "$window" "$shot" 2>/dev/null || import -window root "$shot"
else
  import -window root "$shot"
fi
echo "Screenshot of the first window: $shot"
echo "Minutrix runs on the virtual display $display; press Ctrl+C to end it."
wait $program
