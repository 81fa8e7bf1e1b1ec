#!/usr/bin/env bash
# Makes the README's pictures (docs/screenshots/*.png) from the programs as built: the
# editor with its two previews, the new skin wizard and the skin browser, each on the
# sample engine folder, under a virtual display. Run it again after changing a window.
#   tools/screenshots.sh [OUTPUT_FOLDER]     (default: docs/screenshots)
# The programs run on a copy of themselves and their data in a temporary folder, with
# a registry, Windows folder and configuration of their own, so neither the build
# tree's preferences nor the user's change what the pictures show, nor are touched.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
ensure_packages
configure_and_build build >/dev/null
out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/registry" "$work/windows" "$work/config" "$work/data" "$work/home"
cp build/bin/skinwrt build/bin/skinwrt-full "$work/bin/"
cp -r data/. "$work/bin/"
export SKINWRT_REGISTRY_DIR=$work/registry WINDIR=$work/windows
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
# The engine folder is the sample one, as with ./run.
cat >"$SKINWRT_REGISTRY_DIR/HKEY_CURRENT_USER.ini" <<INI
[Software]
Corvane\\Veneerix\\VX5.ini\\Installed\\Path=$work/bin/skins
INI
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# shot NAME [ACTION]: the editor on the sample skin Tidewater; with ACTION (the
# objectName of one of its actions) the picture is of the window that action opens.
shot() {
  local name=$1 action=${2:-}
  SKINWRT_SCREENSHOT="$out/$name.png" SKINWRT_SCREENSHOT_ACTION="$action" \
    xvfb-run -a -s "-screen 0 1280x800x24" "$work/bin/skinwrt" "$work/bin/skins/Tidewater/Tidewater.uis"
  echo "$out/$name.png"
}
shot editor
shot new-skin-wizard FileNewWizardItem
shot skin-browser WindowBrowserItem
