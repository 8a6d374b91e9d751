#!/bin/sh
# Usage: test_package.sh BUILD_DIR. Builds the Debian package with cpack, checks its files and control fields,
# the manual page and the desktop entry, then unpacks it and runs the packaged program from the unpacked copy
# with no display. Exits 77 (skipped) where dpkg-deb is missing.
set -eu
build=$1
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb: skipped"; exit 77; }
tmp=$(mktemp -d /tmp/moltwork-package-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/out/moltwork_*.deb)

dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contents"
icons=""
for size in 16 22 24 32 48 64 128 256; do
    icons="$icons ./usr/share/icons/hicolor/${size}x$size/apps/moltwork.png"
done
for path in ./usr/bin/moltwork ./usr/libexec/moltwork/moltwork ./usr/share/moltwork/Moltwork/Banner.png \
    ./usr/share/moltwork/Moltwork/Helps/BrushTool.png ./usr/share/moltwork/gfx/packs/Classic/palette.bmp \
    ./usr/share/moltwork/gfx/skins/0orva.bmp ./usr/share/applications/moltwork.desktop \
    ./usr/share/man/man1/moltwork.1.gz $icons; do
    grep -qx "$path" "$tmp/contents" || fail "the package lacks $path"
done

field() { dpkg-deb -f "$deb" "$1"; }
for library in liballegro4.4 libloadpng4.4 libc6; do
    field Depends | grep -q "\\b$library\\b" || fail "Depends lacks $library"
done
[ "$(field Section)" = graphics ] || fail "Section is '$(field Section)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no Maintainer or Description"

dpkg-deb -x "$deb" "$tmp/root"
root=$tmp/root/usr
for size in 16 256; do
    file "$root/share/icons/hicolor/${size}x$size/apps/moltwork.png" | grep -q "$size x $size, 8-bit/color RGBA" ||
        fail "the ${size}px icon is no RGBA PNG of its size"
done
warnings=$(zcat "$root/share/man/man1/moltwork.1.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/moltwork.desktop" || fail "the desktop entry is not valid"
fi

# The unpacked copy runs where it lies, in a working directory of its own and with no display.
moltwork() { env -u DISPLAY MOLTWORK_HOME="$tmp/home" "$root/bin/moltwork" "$@" </dev/null; }
moltwork --help | grep -q -- --export-gif || fail "--help does not list --export-gif"
version=$(moltwork --version) || fail "--version failed"
echo "$version" | grep -q "0\\.7" || fail "--version printed '$version'"
moltwork --export-gif -o "$tmp/standing.gif" "$root/share/moltwork/gfx/skins/0orva.bmp" || fail "--export-gif failed"
[ "$(head -c 6 "$tmp/standing.gif")" = GIF89a ] || fail "the export is no GIF89a file"
[ -f "$tmp/home/Moltwork/Banner.png" ] || fail "the launcher did not prepare the working directory"
