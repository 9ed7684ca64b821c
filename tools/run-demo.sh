#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quaverly with its built-in player and the
# demo library. Everything it writes stays under build/demo: preferences with automatic
# start on 127.0.0.1:8080 and automatic play, the demo library, and the track database
# built at start.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/prerequisites.sh
tools/build.sh

root="$PWD/build/demo"
mkdir -p "$root/config/Quaverly" "$root/data" "$root/runtime" "$root/home"
chmod 700 "$root/runtime"
export XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime"
library="$PWD/resources/demo/iTunes Music Library.xml"
port="${QUAVERLY_DEMO_PORT:-8080}"

cat > "$root/config/Quaverly/Quaverly.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>ListenIPAddress</key>
	<string>127.0.0.1</string>
	<key>ListenPort</key>
	<integer>$port</integer>
	<key>FancyStyle</key>
	<false/>
	<key>PlainStyle</key>
	<true/>
	<key>TextOnlyStyle</key>
	<false/>
	<key>SimpleHTMLStyle</key>
	<false/>
	<key>PDAStyle</key>
	<false/>
	<key>XMLStyle</key>
	<false/>
	<key>AutoStart</key>
	<true/>
	<key>AutoPlay</key>
	<true/>
	<key>Password</key>
	<string></string>
	<key>DisplayArt</key>
	<true/>
	<key>UseDB</key>
	<true/>
	<key>AutoLoadDB</key>
	<true/>
	<key>AutoLoadPL</key>
	<false/>
	<key>PageResults</key>
	<true/>
	<key>ResultsPerPage</key>
	<integer>20</integer>
	<key>AutoIPUpdate</key>
	<false/>
	<key>NoQVSR</key>
	<false/>
	<key>Polling</key>
	<false/>
	<key>iTunesFile</key>
	<string>$library</string>
	<key>BrowseMode</key>
	<string>genre</string>
</dict>
</plist>
PLIST
rm -f "$root/config/Quaverly/Lanternfold.plist"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
fi
echo "Quaverly is starting: open http://127.0.0.1:$port/show in a browser (Ctrl+C stops it)."
exec build/quaverly
