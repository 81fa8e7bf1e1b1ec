#!/bin/sh
# The editor in a real window manager on a virtual screen, where the offscreen
# platform cannot tell: every window inside the screen, the previews beside the main
# window, the main window keeping the focus when the previews show, its shortcuts
# working from a preview, and an immediate exit with nothing to save.
#   check-windows.sh BIN_DIR            (runs itself again under xvfb-run)
set -u
bin=$1
for tool in xvfb-run openbox xdotool wmctrl xwininfo xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
if [ -z "${CHECK_WINDOWS_INNER:-}" ]; then
  status=0
  for screen in 1280x1000 1024x768; do
    CHECK_WINDOWS_INNER=$screen xvfb-run -a -s "-screen 0 ${screen}x24" sh "$0" "$bin" || status=1
  done
  exit $status
fi

screen_w=${CHECK_WINDOWS_INNER%x*}
screen_h=${CHECK_WINDOWS_INNER#*x}
work=$(mktemp -d)
trap 'kill $wm $editor 2>/dev/null; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" SKINWRT_REGISTRY_DIR="$work/registry"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$SKINWRT_REGISTRY_DIR"
cp -r "$bin/skins" "$work/skins"
export SKINWRT_DEFAULT_ENGINE_FOLDER="$work/skins"
failures=0
fail() { echo "FAIL [$CHECK_WINDOWS_INNER]: $*"; failures=$((failures + 1)); }

openbox >/dev/null 2>&1 &
wm=$!
i=0
until wmctrl -m >/dev/null 2>&1; do i=$((i + 1)); [ $i -gt 50 ] && break; sleep 0.1; done

"$bin/skinwrt-full" "$work/skins/Tidewater/Tidewater.uis" >"$work/log" 2>&1 &
editor=$!
# Until both previews are mapped and have settled.
i=0
until [ "$(wmctrl -l | grep -c ' Preview$')" -ge 2 ]; do
  i=$((i + 1)); [ $i -gt 150 ] && { fail "the previews never showed"; cat "$work/log"; exit 1; }; sleep 0.1
done
sleep 1.5

# Each window's frame on the screen: its client area (xwininfo) with the frame the
# window manager put around it (_NET_FRAME_EXTENTS: left, right, top, bottom).
frame_of() {
  info=$(xwininfo -id "$1" 2>/dev/null)
  cx=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
  cy=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
  cw=$(echo "$info" | sed -n 's/.*Width: *//p')
  ch=$(echo "$info" | sed -n 's/.*Height: *//p')
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ',')
  set -- ${extents:-0 0 0 0}
  echo "$((cx - $1)) $((cy - $3)) $((cw + $1 + $2)) $((ch + $3 + $4))"
}
main_id=$(xdotool search --name '^Skinwright  -  Tidewater' | head -1)
[ -n "$main_id" ] || fail "no main window titled with the skin"
set -- $(frame_of "$main_id")
mx=$1 my=$2 mw=$3 mh=$4
wmctrl -l | while read -r id desk host title; do
  case "$title" in "About Skinwright") continue ;; esac
  set -- $(frame_of "$id")
  x=$1 y=$2 w=$3 h=$4
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt "$screen_w" ] || [ $((y + h)) -gt "$screen_h" ]; then
    fail "'$title' at ${x},${y} ${w}x${h} reaches past the ${screen_w}x${screen_h} screen"
  fi
  # On a screen wide enough for both, a preview never covers the main window.
  if [ "$title" = Preview ] && [ "$screen_w" -ge 1280 ] && [ "$x" -lt $((mx + mw)) ] && [ $((x + w)) -gt "$mx" ] &&
    [ "$y" -lt $((my + mh)) ] && [ $((y + h)) -gt "$my" ]; then
    fail "'$title' at ${x},${y} covers the main window at ${mx},${my} ${mw}x${mh}"
  fi
done >"$work/placement"
cat "$work/placement"
[ -s "$work/placement" ] && failures=$((failures + 1))
[ "$mh" -ge 600 ] || fail "the main window is only $mh pixels high with a skin open"

# The previews showing do not take the focus from the main window.
active=$(xdotool getactivewindow getwindowname 2>/dev/null)
case "$active" in
"Skinwright  -  Tidewater"*) ;;
*) fail "'$active' has the focus after opening, not the main window" ;;
esac

# The main window's shortcuts work while a preview has the focus.
preview=$(xdotool search --name '^Preview$' | head -1)
xdotool windowactivate --sync "$preview" 2>/dev/null
sleep 0.5
xdotool key --clearmodifiers ctrl+f
i=0
until wmctrl -l | grep -q ' Find$'; do
  i=$((i + 1)); [ $i -gt 30 ] && { fail "Ctrl+F from a preview opened no Find window"; break; }; sleep 0.1
done
xdotool key Escape
sleep 0.3

# Nothing to save: the editor is gone at once.
wmctrl -ic "$main_id"
i=0
while kill -0 "$editor" 2>/dev/null; do
  i=$((i + 1)); [ $i -gt 10 ] && { fail "the editor still runs one second after its window was closed"; break; }; sleep 0.1
done
[ "$failures" -eq 0 ] || exit 1
echo "passed [$CHECK_WINDOWS_INNER]"
