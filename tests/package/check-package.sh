#!/bin/sh
# Installs the build into a temporary root (DESTDIR), builds the Debian package and
# unpacks it into another, and checks that both hold the programs, their data, the
# desktop files and icons, the licence, history and AppStream metadata, that every
# one of them carries the project's version, and that the installed programs find
# their data. lintian (with "lint") and appstreamcli judge them when installed.
# Usage: check-package.sh BUILD_DIR CMAKE CPACK VERSION SOURCE_DIR lint|no-lint
set -eu
build=$1
cmake=$2
cpack=$3
version=$4
source_dir=$5
lint=$6
metainfo=usr/share/metainfo/org.skinwright.Skinwright.metainfo.xml
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
usr/share/man/man1/skinwrt.1.gz
usr/share/man/man1/skinwrt-full.1.gz
usr/share/man/man1/tweakvx.1.gz
usr/share/doc/skinwright/copyright
usr/share/doc/skinwright/changelog.gz
$metainfo
"

# A gzip file made with -9n: deflate, no name or time stored, "best compression" flag.
check_gzip_9n() {
  gz=$1
  header=$(od -An -tu1 -N10 "$gz" | tr -s ' ' | sed 's/^ //')
  # shellcheck disable=SC2086
  set -- $header
  [ "$1 $2 $3" = "31 139 8" ] || { fail "$gz: not gzip: $header"; return; }
  [ $(($4 & 8)) -eq 0 ] || fail "$gz keeps its file name in its gzip header"
  [ "$5$6$7$8" = 0000 ] || fail "$gz keeps a time in its gzip header"
  [ "$9" -eq 2 ] || fail "$gz is not compressed with gzip -9 (extra flags $9)"
}

# Everything a user sees a version on carries the one of the project.
check_versions() {
  root=$1
  [ "$("$root/usr/bin/skinwrt" --version)" = "skinwrt $version" ] || fail "$root: skinwrt --version"
  [ "$("$root/usr/libexec/skinwrt-full" --version)" = "skinwrt $version" ] || fail "$root: skinwrt-full --version"
  case "$("$root/usr/bin/tweakvx" --version)" in
    *"part of Skinwright $version") ;;
    *) fail "$root: tweakvx --version does not name Skinwright $version" ;;
  esac
  for page in skinwrt skinwrt-full tweakvx; do
    file=$root/usr/share/man/man1/$page.1.gz
    check_gzip_9n "$file"
    gzip -dc "$file" | head -n 1 | grep -q "\"Skinwright $version\"" || fail "$file: .TH does not name $version"
  done
  file=$root/usr/share/doc/skinwright/changelog.gz
  check_gzip_9n "$file"
  # A Debian changelog whose newest entry is this version, its date that of the
  # version's heading in CHANGELOG.md.
  heading=$(grep -m1 '^## ' "$source_dir/CHANGELOG.md")
  [ "$heading" = "## $version - ${heading##* - }" ] || fail "CHANGELOG.md does not start with $version: $heading"
  date=$(date -u -d "${heading##* - }" '+%a, %-d %b %Y 00:00:00 +0000')
  [ "$(gzip -dc "$file" | head -n 1)" = "skinwright ($version) unstable; urgency=medium" ] ||
    fail "$file: the newest entry is not $version"
  gzip -dc "$file" | grep -m1 '^ -- ' | grep -q "^ -- .* <.*@.*>  $date\$" || fail "$file: no sign-off dated $date"
  if gzip -dc "$file" | grep -v '^ -- ' | grep -q '.\{80\}'; then fail "$file has lines of 80 columns or more"; fi
  grep -q "<release version=\"$version\" date=\"$(date -u -d "${heading##* - }" +%F)\"" "$root/$metainfo" ||
    fail "$root/$metainfo: no release $version"
}

# The copyright file is LICENSE in Debian's machine-readable form.
check_copyright() {
  file=$1/usr/share/doc/skinwright/copyright
  [ "$(head -n 1 "$file")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "$file is not machine-readable"
  grep -q '^License: Expat$' "$file" || fail "$file names no Expat (MIT) licence"
  grep -q '^Copyright: 2026 The Skinwright authors$' "$file" || fail "$file: no copyright line"
  sed -n '/^License: /,$p' "$file" | tail -n +2 | sed 's/^ //; s/^\.$//' >"$work/license-text"
  sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE" >"$work/license-expected"
  cmp -s "$work/license-text" "$work/license-expected" || fail "$file does not hold the text of LICENSE"
}

# The AppStream metadata: valid, launching an installed desktop entry that opens the
# MIME type it declares.
check_metainfo() {
  root=$1
  file=$root/$metainfo
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
  [ -f "$root/usr/share/applications/$launchable" ] || fail "$file launches $launchable, which is not installed"
  mediatype=$(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' "$file")
  grep -q "^MimeType=.*$mediatype;" "$root/usr/share/applications/$launchable" ||
    fail "$launchable does not open $mediatype"
  grep -q "type=\"$mediatype\"" "$root/usr/share/mime/packages/skinwright.xml" ||
    fail "$mediatype is not in the installed MIME types"
  grep -q '<project_license>MIT</project_license>' "$file" || fail "$file: no MIT project licence"
  if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net --explain "$file" >"$work/appstream.log" 2>&1 ||
      { cat "$work/appstream.log" >&2; fail "$file does not validate"; }
  fi
}

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
  check_versions "$root"
  check_copyright "$root"
  check_metainfo "$root"
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
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
# A synopsis and an extended description, no line of it 80 columns or more.
description=$(dpkg-deb -f "$deb" Description)
[ "$(printf '%s\n' "$description" | wc -l)" -gt 2 ] || fail "the package has no extended description"
if printf '%s\n' "$description" | grep -q '.\{80\}'; then fail "description lines of 80 columns or more"; fi
dpkg-deb -x "$deb" "$work/unpacked"
check_root "$work/unpacked"
for program in usr/bin/skinwrt usr/bin/tweakvx usr/libexec/skinwrt-full; do
  if readelf -S --wide "$work/unpacked/$program" | grep -q -e '\.symtab' -e '\.debug_'; then
    fail "$program is not stripped in the package"
  fi
done
if [ "$lint" = lint ] && command -v lintian >/dev/null 2>&1; then
  # Every error and warning fails, whatever lintian's own exit status says.
  lintian --fail-on none --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
  if grep -q '^[EW]: ' "$work/lintian.log"; then
    grep '^[EW]: ' "$work/lintian.log" >&2
    fail "lintian finds errors or warnings in the package"
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "package contents: ok"
