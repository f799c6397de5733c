#!/usr/bin/env bash
# The editor as a person uses it: the real executable in a private X server with a
# window manager, driven by real X input (xdotool keys and clicks), checked through
# screenshots of the screen.
#
#   real-window-test.sh ZORVANE_EXE EXAMPLES_DIR
set -euo pipefail
exe=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool import convert identify openbox python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/bootstrap installs it)"; exit 77; }
done

# The Chinese interface, whatever the machine's language.
. "$here/../../scripts/private-display.sh"
start_private_display 120 1280x800
export LANG=zh_CN.UTF-8

fail() {
    echo "FAIL: $*"
    [ -f "$work/app.log" ] && sed 's/^/  app: /' "$work/app.log"
    [ -f "$work/shot.png" ] && cp "$work/shot.png" "${TMPDIR:-/tmp}/real-window-failure.png" &&
        echo "last screenshot: ${TMPDIR:-/tmp}/real-window-failure.png"
    exit 1
}
shot() { import -window root "$work/shot.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
click() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool click 1; sleep 0.3; }
q() { python3 "$here/shot.py" "$@"; }

start() {
    (cd "$work" && exec "$exe" "$@") >"$work/app.log" 2>&1 &
    app=$!
    xdotool search --sync --onlyvisible --name " - Zorvane" >/dev/null || fail "no window"
    # The window maximises itself one second after it appears.
    sleep 2.5
    kill -0 "$app" 2>/dev/null || fail "the editor ended early"
}
quit() {
    key ctrl+q
    for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$app" 2>/dev/null && fail "Ctrl+Q did not close the editor"
    wait "$app" || fail "the editor exited with status $?"
    app=""
}

# ---- An empty document: draw a region, paint a cell, apply an effect, play. ----
start
shot
read -r vx vy vw vh < <(q view "$work/shot.png")
[ "$vw" -gt 500 ] && [ "$vh" -gt 300 ] || fail "view too small: $vw x $vh"
echo "view at $vx,$vy size ${vw}x$vh"

# Tools menu (Alt+T): the fifth entry is the horizontal rectangle region.
key alt+t Down Down Down Down Return
x0=$((vx + 40)); y0=$((vy + 40))
click $x0 $y0
click $((x0 + 480)) $((y0 + 40))
# Grid lines in the region's grey.
shot
# The new region is the current one: its grid is drawn white.
[ "$(q pixel "$work/shot.png" $((x0 + 100)) $y0)" = "255 255 255" ] || fail "no grid line at the region's top"
[ "$(q pixel "$work/shot.png" $((x0 + 110)) $((y0 + 20)))" = "0 0 0" ] || fail "the new cells are not dark"
# The ninth entry is the brush; the main colour is red. Cell 2 spans x0+40..x0+60.
key alt+t Down Down Down Down Down Down Down Down Return
click $((x0 + 50)) $((y0 + 20))
shot
[ "$(q pixel "$work/shot.png" $((x0 + 50)) $((y0 + 20)))" = "255 0 0" ] || fail "the brush did not paint the cell"
[ "$(q pixel "$work/shot.png" $((x0 + 90)) $((y0 + 20)))" = "0 0 0" ] || fail "the brush painted a neighbour"

# Effects menu (Alt+X): 平移 > 水平 > 右移, then play (F5) and stop (F7).
key alt+x Return Return Down Return
key F5
# The first tick shows the starting picture; the lit cell moves from the second on.
moved=no
for _ in $(seq 30); do
    shot
    if [ "$(q pixel "$work/shot.png" $((x0 + 50)) $((y0 + 20)))" != "255 0 0" ]; then moved=yes; break; fi
    sleep 0.2
done
[ $moved = yes ] || fail "playing the effect did not move the lit cell"
[ "$(q lit "$work/shot.png" $((x0 + 1)) $((y0 + 1)) 478 38)" -gt 100 ] || fail "nothing lit while playing"
key F7
shot
[ "$(q pixel "$work/shot.png" $((x0 + 50)) $((y0 + 20)))" = "255 0 0" ] || fail "stop did not bring the frame back"

# New (Ctrl+N) asks about the unsaved sign; not saving gives an empty view again.
key ctrl+n
xdotool search --sync --onlyvisible --name "^Zorvane$" >/dev/null || fail "New did not ask to save"
key alt+n
shot
[ "$(q lit "$work/shot.png" "$vx" "$vy" "$vw" "$vh")" -eq 0 ] || fail "New left something in the view"
quit

# ---- A scheme named on the command line opens; a bad one says so. ----
start "$examples/open-sign.zrx"
shot
[ "$(q lit "$work/shot.png" $((vx + 100)) $((vy + 100)) 400 200)" -gt 1000 ] || fail "open-sign.zrx did not open"
quit

printf 'not a scheme' >"$work/bad.zrx"
(cd "$work" && exec "$exe" bad.zrx) >"$work/app.log" 2>&1 &
app=$!
xdotool search --sync --onlyvisible --name "^Error$" >/dev/null || fail "no message for a bad file"
key Return
sleep 1.5
xdotool search --sync --onlyvisible --name " - Zorvane" >/dev/null || fail "no window after the message"
quit
echo "real window: all checks passed"
