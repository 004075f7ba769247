#!/usr/bin/env bash
# Builds the Debian package from the release build (cpack -G DEB) and checks it: the control
# fields, the file list and modes after `dpkg -x` into a throw-away root, stripped binaries
# without RPATH, the desktop entry, the AppStream metadata, the manual pages, lintian, and the
# unpacked vexlo under a private Xvfb keeping its settings in ~/.config/vexlo/, not beside
# itself. Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/xvfb.sh

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
rm -f build/vexlo_*.deb
(cd build && cpack -G DEB) >build/cpack.log 2>&1 || { cat build/cpack.log >&2; exit 1; }

version=$(sed -n 's/^project(Vexlo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/vexlo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: cpack made no $deb" >&2; exit 1; }

xvfb_scratch
problems=0
fail() {
  echo "FAIL: $*" >&2
  problems=$((problems + 1))
}

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vexlo ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), not $version"
[ "$(field Section)" = math ] || fail "Section is $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority is $(field Priority)"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "Maintainer is $(field Maintainer)"
for dependency in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libc6; do
  [[ ", $(field Depends)," == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency"
done

owners=$(dpkg-deb --contents "$deb" | awk '{ print $2 }' | sort -u)
[ "$owners" = root/root ] || fail "files not owned by root/root: $owners"

# The file list, with modes, exactly.
root="$work/root"
dpkg -x "$deb" "$root"
expected="$work/expected"
cat >"$expected" <<LIST
755 usr/bin/vexlo
755 usr/bin/vexlo-keys
644 usr/share/applications/example.vexlo.Vexlo.desktop
644 usr/share/doc/vexlo/changelog.gz
644 usr/share/doc/vexlo/copyright
$(for size in 16 22 24 32 48 64 128 256; do
  echo "644 usr/share/icons/hicolor/${size}x${size}/apps/vexlo.png"
done)
644 usr/share/icons/hicolor/scalable/apps/vexlo.svg
644 usr/share/man/man1/vexlo-keys.1.gz
644 usr/share/man/man1/vexlo.1.gz
644 usr/share/metainfo/example.vexlo.Vexlo.metainfo.xml
644 usr/share/vexlo/installed
LIST
(cd "$root" && find . ! -type d -printf '%m %P\n' | LC_ALL=C sort) >"$work/actual"
LC_ALL=C sort -o "$expected" "$expected"
diff -u "$expected" "$work/actual" >&2 || fail "the package's files differ from the list above"
bad_dirs=$(cd "$root" && find . -type d ! -perm 755 -printf '%m %P\n')
[ -z "$bad_dirs" ] || fail "directories not 755: $bad_dirs"

for program in vexlo vexlo-keys; do
  binary="$root/usr/bin/$program"
  file -b "$binary" | grep -q ', stripped' || fail "$program is not stripped"
  ! readelf -d "$binary" | grep -Eq 'RPATH|RUNPATH' || fail "$program has an RPATH"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/vexlo.png"
  file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not $size pixels"
done
desktop-file-validate "$root/usr/share/applications/example.vexlo.Vexlo.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net --no-color \
  "$root/usr/share/metainfo/example.vexlo.Vexlo.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
for page in "$root"/usr/share/man/man1/*.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian"; }
else
  echo "lintian is not installed: its check is skipped" >&2
fi

# The unpacked programs run; an installed vexlo writes its settings to the user's directory even
# where it could write beside itself (as root, or in this writable throw-away root).
[ "$("$root/usr/bin/vexlo" --version)" = "vexlo $version" ] || fail "vexlo --version"
"$root/usr/bin/vexlo-keys" '12*3{Enter}' | grep -qx 'display: 36\.' || fail "vexlo-keys"
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  xvfb_start || fail "Xvfb did not start"
  home="$work/home"
  mkdir "$home"
  start_vexlo "$root/usr/bin/vexlo" "$home"
  window=""
  find_window() { window=$(window_of "$app_pid"); }
  if wait_for 100 find_window; then
    timeout 10 xdotool windowfocus --sync "$window" && timeout 10 xdotool type --delay 40 '12*3' &&
      timeout 10 xdotool key --delay 40 Return Escape || fail "typing into the window failed"
    ended() { ! kill -0 "$app_pid" 2>/dev/null; }
    wait_for 100 ended || fail "Esc did not end the unpacked vexlo"
    app_pid=""
    grep -qx 'Dumy=36\.' "$home/.config/vexlo/VEXLO.INI" 2>/dev/null ||
      fail "no Dumy=36. in ~/.config/vexlo/VEXLO.INI"
    found=$(cd "$root" && find . -iname 'vexlo.ini*')
    [ -z "$found" ] || fail "settings written beside the installed program: $found"
  else
    cat "$work/vexlo.log" >&2
    fail "the unpacked vexlo showed no window"
  fi
else
  echo "Xvfb or xdotool is missing: the run of the unpacked window is skipped" >&2
fi

[ "$problems" -eq 0 ] || { echo "package: $problems problems in $deb" >&2; exit 1; }
echo "package: $deb ($(wc -l <"$work/actual") files) checked"
