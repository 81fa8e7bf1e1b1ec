#!/bin/sh
# Installs the build into a temporary root (DESTDIR), builds the Debian package and
# unpacks it into another, and checks that both hold the programs, their data, the
# desktop files and icons, and that the installed programs find their data.
# Usage: check-package.sh BUILD_DIR CMAKE CPACK
set -eu
build=$1
cmake=$2
cpack=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expected="
usr/bin/skinwrt
usr/libexec/skinwrt-full
usr/bin/tweakvx
usr/share/skinwright/uis1.def
usr/share/skinwright/uis1p.def
usr/share/skinwright/uis2.def
usr/share/skinwright/faq.txt
usr/share/skinwright/tvx.jpg
usr/share/skinwright/skins/Tidewater/Tidewater.uis
usr/share/applications/skinwright.desktop
usr/share/applications/tweakvx.desktop
usr/share/mime/packages/skinwright.xml
usr/share/icons/hicolor/scalable/apps/skinwright.svg
usr/share/icons/hicolor/16x16/apps/skinwright.png
usr/share/icons/hicolor/48x48/apps/skinwright.png
usr/share/icons/hicolor/256x256/apps/skinwright.png
usr/share/man/man1/skinwrt.1
usr/share/man/man1/tweakvx.1
"

check_root() {
  root=$1
  for file in $expected; do
    [ -f "$root/$file" ] || fail "$root: $file is missing"
  done
  # Nothing of the build tree's own programs goes along.
  for stray in engine-standin store_tests sw.ini; do
    if find "$root" -name "$stray" | grep -q .; then fail "$root: $stray was installed"; fi
  done
  # Installed in bin/, the editor finds its catalogues in share/skinwright.
  out=$("$root/usr/bin/skinwrt" validate "$root/usr/share/skinwright/skins/Tidewater/Tidewater.uis" 2>&1) &&
    status=0 || status=$?
  # Without its catalogue every attribute of the sample would be unknown.
  [ "$status" -eq 0 ] || fail "$root: validate exited $status"
  case "$out" in *"No errors found"*) ;; *) fail "$root: the sample skin did not validate" ;; esac
  "$root/usr/bin/skinwrt" --help | grep -q "skinwrt get FILE SECTION KEY" || fail "$root: skinwrt --help"
  "$root/usr/bin/tweakvx" --help | grep -q "Usage: tweakvx" || fail "$root: tweakvx --help"
  "$root/usr/bin/skinwrt" pak x.uis >/dev/null 2>&1 && status=0 || status=$?
  [ "$status" -eq 2 ] || fail "$root: an unknown verb exited $status"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    for entry in "$root"/usr/share/applications/*.desktop; do
      desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
    done
  fi
}

DESTDIR="$work/destdir" "$cmake" --install "$build" --prefix /usr >/dev/null
check_root "$work/destdir"

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; exit 1; }
deb=$(ls "$work"/deb/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libjpeg62-turbo xdg-utils shared-mime-info; do
  case "$depends" in *"$package"*) ;; *) fail "the package does not depend on $package: $depends" ;; esac
done
[ "$(dpkg-deb -f "$deb" Package)" = skinwright ] || fail "package name"
dpkg-deb -x "$deb" "$work/unpacked"
check_root "$work/unpacked"

[ "$failures" -eq 0 ] || exit 1
echo "package contents: ok"
