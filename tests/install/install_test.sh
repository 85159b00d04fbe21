#!/usr/bin/env bash
# install_test.sh BUILD_DIR
#
# Installs the build into a folder of its own and checks what an installed
# Trennic brings: the three programs answering --version with the same
# line, the desktop entry, the icons, the AppStream description and the
# manual pages, and nothing writable by others. The desktop entry and the
# AppStream file are validated by Debian's desktop-file-validate and
# appstreamcli where they are installed.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$root/usr" >/dev/null

for f in bin/trennic bin/trennic-cli bin/trennic-unitsim \
         share/applications/trennic.desktop \
         share/icons/hicolor/16x16/apps/trennic.png share/icons/hicolor/128x128/apps/trennic.png \
         share/icons/hicolor/scalable/apps/trennic.svg \
         share/metainfo/org.trennic.Trennic.metainfo.xml \
         share/man/man1/trennic.1 share/man/man1/trennic-cli.1 share/man/man1/trennic-unitsim.1; do
  [ -e "$root/usr/$f" ] || fail "$f is not installed"
done

version=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/trennic" --version)
[[ "$version" =~ ^Trennic\ Version\ [0-9]+\.[0-9]+T$ ]] || fail "trennic --version says '$version'"
for p in trennic-cli trennic-unitsim; do
  [ "$("$root/usr/bin/$p" --version)" = "$version" ] || fail "$p --version differs from '$version'"
done
release=${version#Trennic Version }
release=${release%T}
grep -q "<release version=\"$release\"" "$root/usr/share/metainfo/org.trennic.Trennic.metainfo.xml" ||
  fail "the AppStream release is not the programs' version"

# Nothing the install puts down may be written by anyone but its owner.
writable=$(find "$root/usr" -perm /022 ! -type l -print)
[ -z "$writable" ] || fail "writable by others: $writable"

for page in "$root"/usr/share/man/man1/*.1; do
  command -v man >/dev/null || break
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>"$root/man.err") || fail "$page does not render"
  grep -q "^NAME" <<<"$out" || fail "$page has no NAME"
  [ ! -s "$root/man.err" ] || fail "$page: $(cat "$root/man.err")"
done
grep -qF '\-\-language' "$root/usr/share/man/man1/trennic-cli.1" || fail "trennic-cli.1 lacks its options"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate --no-hints "$root/usr/share/applications/trennic.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.trennic.Trennic.metainfo.xml" >/dev/null ||
    fail "AppStream file"
fi
echo "installed and checked"
