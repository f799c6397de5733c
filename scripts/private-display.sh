# Sourced by the scripts that drive the real window: a private X server (Xvfb) with a
# window manager, and a scratch folder `$work` that also holds the run's settings,
# recent files and recovery copy. On exit the program in `$app` (when set), the window
# manager and the server are stopped and `$work` is removed.
#
#   . scripts/private-display.sh
#   start_private_display FIRST_DISPLAY_NUMBER WIDTHxHEIGHT
start_private_display() {
    work=$(mktemp -d)
    local n=$1
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    export DISPLAY=:$n QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config \
        XDG_DATA_HOME=$work/data
    unset WAYLAND_DISPLAY LC_ALL LC_MESSAGES LANGUAGE
    Xvfb "$DISPLAY" -screen 0 "${2}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    app=""
    trap stop_private_display EXIT
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
}

stop_private_display() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    kill "${wm:-}" "${xvfb:-}" 2>/dev/null || true
    rm -rf "$work"
}
