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
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
# The engine folder is the sample one, as with ./run.
cat >"$SKINWRT_REGISTRY_DIR/HKEY_CURRENT_USER.ini" <<INI
[Software]
Corvane\\Veneerix\\VX5.ini\\Installed\\Path=$work/bin/skins
INI
# A virtual display has no window manager to place the windows: the editor's own
# preferences put them side by side, the previews right of the main window.
cat >"$work/bin/sw.ini" <<INI
[General]
WindowsSizeRestore=1
[Windows]
MainLeft=0
MainTop=0
MainWidth=820
MainHeight=800
LayersLeft=830
LayersTop=600
LayersWidth=440
LayersHeight=200
ActivePreviewLeft=830
ActivePreviewTop=0
ActivePreviewWidth=440
ActivePreviewHeight=290
InactivePreviewLeft=830
InactivePreviewTop=300
InactivePreviewWidth=440
InactivePreviewHeight=290
INI
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# shot NAME [ACTION [BUTTON...]]: the editor on the sample skin Tidewater; with ACTION
# (the objectName of one of its actions) the picture is of the window that action
# opens, after the BUTTONs (object names) have been clicked in it.
shot() {
  local name=$1 action=${2:-}
  shift $(($# < 2 ? $# : 2))
  SKINWRT_SCREENSHOT="$out/$name.png" SKINWRT_SCREENSHOT_ACTION="$action" SKINWRT_SCREENSHOT_CLICKS="$*" \
    xvfb-run -a -s "-screen 0 1280x800x24" "$work/bin/skinwrt" "$work/bin/skins/Tidewater/Tidewater.uis"
  echo "$out/$name.png"
}
shot editor
shot new-skin-wizard FileNewWizardItem btnNext
shot skin-browser WindowBrowserItem
