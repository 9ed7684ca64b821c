#!/bin/bash
# Installs Quaverly from a build folder into a temporary prefix, checks that every file a
# desktop install needs is there, then starts the installed program (offscreen, in a
# private home) on a free loopback port and shows that it serves its pictures and reaches
# its player scripts from the installed share/quaverly folder.
#   tools/check-install.sh [build folder]      (default: build)
set -euo pipefail

build=${1:-build}
work=$(mktemp -d "${TMPDIR:-/tmp}/quaverly-install-XXXXXX")
prefix=$work/prefix
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
expect_file() { [ -f "$1" ] || fail "missing $1"; pass "${1#"$prefix"/}"; }
expect_program() { [ -x "$1" ] || fail "not executable: $1"; pass "${1#"$prefix"/}"; }

expect_program "$prefix/bin/quaverly"
for script in itunes qvresults plcontrol; do expect_program "$share/quaverly/scripts/$script"; done
for picture in ilogo.gif eclairs.jpg middle.png middle_bar.png title.png; do
  expect_file "$share/quaverly/images/$picture"
done
library="$share/quaverly/demo/iTunes Music Library.xml"
expect_file "$library"
expect_file "$share/applications/quaverly.desktop"
expect_file "$share/icons/hicolor/scalable/apps/quaverly.svg"
expect_file "$share/icons/hicolor/256x256/apps/quaverly.png"
grep -qx 'Exec=quaverly' "$share/applications/quaverly.desktop" || fail "the desktop entry does not run quaverly"
grep -qx 'Icon=quaverly' "$share/applications/quaverly.desktop" || fail "the desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/quaverly.desktop" || fail "desktop entry not valid"
  pass "desktop entry valid"
fi

# A private home with preferences for automatic start on a free loopback port.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/home" "$work/config/Quaverly" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
boolean() { if [ "$1" = 1 ]; then echo '<true/>'; else echo '<false/>'; fi; }
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">'
  echo '<plist version="1.0">'
  echo '<dict>'
  printf '\t<key>ListenIPAddress</key>\n\t<string>127.0.0.1</string>\n'
  printf '\t<key>ListenPort</key>\n\t<integer>%s</integer>\n' "$port"
  for key in FancyStyle TextOnlyStyle SimpleHTMLStyle PDAStyle XMLStyle AutoPlay DisplayArt UseDB \
             AutoLoadDB AutoLoadPL AutoIPUpdate NoQVSR Polling HideIT HideQV; do
    printf '\t<key>%s</key>\n\t%s\n' "$key" "$(boolean 0)"
  done
  for key in PlainStyle AutoStart PageResults; do printf '\t<key>%s</key>\n\t%s\n' "$key" "$(boolean 1)"; done
  printf '\t<key>Password</key>\n\t<string></string>\n'
  printf '\t<key>ResultsPerPage</key>\n\t<integer>20</integer>\n'
  printf '\t<key>iTunesFile</key>\n\t<string>%s</string>\n' "$library"
  printf '\t<key>BrowseMode</key>\n\t<string>genre</string>\n'
  echo '</dict>'
  echo '</plist>'
} >"$work/config/Quaverly/Quaverly.plist"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work" \
  "$prefix/bin/quaverly" >"$work/log.txt" 2>&1 &
pid=$!

url=http://127.0.0.1:$port
for _ in $(seq 100); do
  curl -s --max-time 2 -o /dev/null "$url/poll" && break
  kill -0 "$pid" 2>/dev/null || { cat "$work/log.txt" >&2; fail "Quaverly ended early"; }
  sleep 0.1
done
grep -q "Auto-Start. Listening on 127.0.0.1:$port" "$work/log.txt" || { cat "$work/log.txt" >&2; fail "no automatic start"; }
pass "installed Quaverly listens on 127.0.0.1:$port"

curl -s --max-time 5 -o "$work/title.png" "$url/images/title.png"
cmp -s "$work/title.png" "$share/quaverly/images/title.png" || fail "/images/title.png is not the installed picture"
pass "serves /images/title.png from share/quaverly/images"

curl -s --max-time 15 -o "$work/show.html" "$url/show"
grep -q "Not playing.  Please click play/pause." "$work/show.html" ||
  { cat "$work/log.txt" >&2; fail "/show did not reach the installed player script"; }
pass "answers /show through share/quaverly/scripts/itunes"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "install check passed"
