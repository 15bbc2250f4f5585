#!/usr/bin/env bash
# The Debian package, judged by the ecosystem's own tools: builds it (-DMINUTRIX_PORTABLE=OFF,
# -DMINUTRIX_SELF_UPDATE=OFF, Debian's hardening flags), runs lintian, desktop-file-validate and
# appstreamcli on it, compares its contents with the install layout, and starts the program
# unpacked into a temporary root on Xvfb as a user with a fresh home.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MINUTRIX_DEB_BUILD:-build-deb}
id=de.minutrix.Minutrix

CFLAGS=$(dpkg-buildflags --get CFLAGS) CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DMINUTRIX_PORTABLE=OFF -DMINUTRIX_SELF_UPDATE=OFF -DMINUTRIX_WERROR=ON -DMINUTRIX_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build "$build" -j2
rm -f "$build"/minutrix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/minutrix_*.deb)
version=$(sed -n 's/^project(Minutrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ $(basename "$deb") == minutrix_${version}~beta2_$(dpkg --print-architecture).deb ]] || {
  echo "unexpected package name: $deb" >&2
  exit 1
}
echo "== $deb"
dpkg-deb -f "$deb" Package Version Section Maintainer Depends

echo "== lintian (errors fail; the README's packaging notes explain every warning left)"
lintian --fail-on error --info "$deb"

echo "== desktop-file-validate, appstreamcli"
desktop-file-validate "dist/linux/$id.desktop"
appstreamcli validate --no-net --explain "$build/dist/linux/$id.metainfo.xml"

echo "== contents"
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort)
expected=$(sort <<EOL
usr/bin/minutrix
usr/bin/minutrix-cli
usr/share/applications/$id.desktop
usr/share/doc/minutrix/CHANGELOG.md
usr/share/doc/minutrix/LICENSE
usr/share/doc/minutrix/README.md
usr/share/doc/minutrix/changelog.gz
usr/share/doc/minutrix/copyright
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/man1/minutrix-cli.1.gz
usr/share/man/man1/minutrix.1.gz
usr/share/metainfo/$id.metainfo.xml
usr/share/minutrix/english.qlf
usr/share/minutrix/german.qlf
EOL
)
if [[ $actual != "$expected" ]]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  echo "the package's contents differ from the install layout" >&2
  exit 1
fi
echo "$(wc -l <<<"$actual") files as laid out"

echo "== the unpacked program on Xvfb, fresh home"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch/root"
mkdir "$scratch/home"
mkdir -m 700 "$scratch/runtime"   # what a desktop session gives its user
touch "$scratch/before"
display=:${MINUTRIX_XVFB_DISPLAY:-96}
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$scratch"' EXIT
sleep 1
session=(env -i PATH=/usr/bin:/bin HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" DISPLAY="$display"
  QT_QPA_PLATFORM=xcb LANG=C.UTF-8 DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/runtime/no-bus")
# A session bus that answers nothing: no bus helper (dbus-launch) starts one and leaves files behind.
"${session[@]}" "$scratch/root/usr/bin/minutrix" &   # env executes the program: $! is its process
program=$!
sleep 4
kill -0 $program || {
  echo "the program ended on its own" >&2
  exit 1
}
DISPLAY=$display import -window root "$build/package-start.png" 2>/dev/null || true
# The desktop entry's StartupWMClass is the class the windows carry.
class=$(DISPLAY=$display xwininfo -root -tree | sed -n 's/.*("minutrix" "\([^"]*\)").*/\1/p' | head -n 1)
if [[ $class != "$(sed -n 's/^StartupWMClass=//p' "dist/linux/$id.desktop")" ]]; then
  echo "the windows' class is '$class', not the desktop entry's StartupWMClass" >&2
  exit 1
fi
kill -TERM $program
rc=0
wait $program || rc=$?
echo "ended with status $rc on SIGTERM; screenshot: $build/package-start.png"
((rc == 0)) || exit 1
files=$(cd "$scratch/home" && find . -type f | sort)
echo "$files"
outside=$(grep -v '^\./\.local/share/minutrix/' <<<"$files" || true)
if [[ -n $outside ]]; then
  echo "files outside ~/.local/share/minutrix: $outside" >&2
  exit 1
fi
if [[ -n $(find "$scratch/root" -newer "$scratch/before" -print -quit) ]]; then
  echo "the program wrote below its installed root" >&2
  exit 1
fi
# minutrix-cli finds the same folder without being told.
"${session[@]}" "$scratch/root/usr/bin/minutrix-cli" settings
# No connection was logged, so summary says that the folder it found holds no month log.
if summary=$("${session[@]}" "$scratch/root/usr/bin/minutrix-cli" summary 2>&1); then
  echo "minutrix-cli summary found month logs in a fresh home: $summary" >&2
  exit 1
fi
case $summary in
  *"/.local/share/minutrix/Data/: holds no month log"*) echo "$summary" ;;
  *) echo "minutrix-cli summary looked elsewhere: $summary" >&2; exit 1 ;;
esac
