# Sourced by the benchmarks: a private Xvfb with no window manager, and the environment that
# makes Qt programs use it.
#   start_xvfb FOLDER   starts the server (its log and display number go in FOLDER), exports
#                       DISPLAY and a private XDG_RUNTIME_DIR, and exits when it cannot start
#   stop_xvfb           ends it, if it was started
# Usage: . scripts/xvfb.sh   (run on its own, it only prints this)

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    . "$(dirname "$0")/usage.sh"
    usage_error "is sourced by other scripts, not run"
fi

xvfb_pid=

start_xvfb() {
    local folder=$1
    # -displayfd: the server picks a free display and writes its number once it accepts
    # clients. -noreset: the server is not reset each time the last client goes, between runs.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$folder/display" \
        2>"$folder/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$folder/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$folder/xvfb.log" >&2
        exit 1
    fi
    DISPLAY=":$(cat "$folder/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$folder/runtime"
    unset WAYLAND_DISPLAY QT_DEBUG_PLUGINS
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
