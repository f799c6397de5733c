#!/usr/bin/env bash
# An install into a scratch prefix as a packager or `make install PREFIX=...` does
# it: the files land where the desktop looks for them, the menu entry validates, and
# the desktop's own tools recognise a scheme, by its signature as well as its name,
# and hand it to Zorvane.
#
#   install-test.sh BUILD_DIR EXAMPLES_DIR [FILE...]   (more files the prefix must hold)
set -euo pipefail
build=$1
examples=$2
for tool in desktop-file-validate update-mime-database update-desktop-database xdg-mime mimetype; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/bootstrap installs it)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

for f in bin/zorvane bin/zorvane-cli libexec/zorvane/zorvane-picture-decoder; do
    [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for f in share/applications/zorvane.desktop share/mime/packages/zorvane.xml \
         share/icons/hicolor/scalable/apps/zorvane.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-zorvane-scheme.svg; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
for f in "${@:3}"; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
XDG_RUNTIME_DIR=$work "$prefix/bin/zorvane-cli" --help >/dev/null || fail "the installed zorvane-cli does not run"
# The video encoder module is installed, and the installed programs open that copy.
module=$(find "$prefix" -name zorvane-video-ffmpeg.so)
[ -n "$module" ] || fail "the video encoder module is not installed"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work LD_DEBUG=files \
    "$prefix/bin/zorvane-cli" export-video "$examples/open-sign.zrx" "$work/sign.avi" --size 32x16 \
    2>"$work/export.log" >/dev/null || { tail -5 "$work/export.log"; fail "the installed zorvane-cli does not export a video"; }
grep -q "file=$module .*dynamically loaded" "$work/export.log" ||
    fail "the installed zorvane-cli did not open the installed encoder module"
[ -s "$work/sign.avi" ] || fail "no video was written"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/zorvane.svg" || fail "the icon is no SVG"

desktop-file-validate "$prefix/share/applications/zorvane.desktop" || fail "the desktop entry does not validate"
grep -qx 'Exec=zorvane %f' "$prefix/share/applications/zorvane.desktop" || fail "the entry does not open a file"

# Only the scratch prefix and the system's own types; no desktop-specific helper.
export XDG_DATA_DIRS=$prefix/share:/usr/share XDG_DATA_HOME=$work/home XDG_CONFIG_HOME=$work/config
export HOME=$work
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"

update-mime-database "$prefix/share/mime" || fail "update-mime-database refused the type"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database failed"

type_of() { xdg-mime query filetype "$1"; }
expect_type() {
    local got
    got=$(type_of "$1")
    [ "$got" = "$2" ] || fail "$(basename "$1"): type '$got', expected '$2'"
}
scheme=application/x-zorvane-scheme

expect_type "$examples/open-sign.zrx" "$scheme"
# Renamed without its extension, the signature still tells.
cp "$examples/open-sign.zrx" "$work/sign-without-extension"
expect_type "$work/sign-without-extension" "$scheme"
# Only the first run of the signature is not enough.
printf 'ZRX\0\4\0\0\0NOTASIGNATURE___' >"$work/almost-a-scheme"
[ "$(type_of "$work/almost-a-scheme")" != "$scheme" ] || fail "a file with half the signature was taken for a scheme"

default=$(xdg-mime query default "$scheme")
[ "$default" = zorvane.desktop ] || fail "schemes open with '$default', not zorvane.desktop"
echo "install into $prefix: files, desktop entry and scheme type good"
