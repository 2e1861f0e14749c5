# What the script-driven tests share, sourced by them: a work folder, the processes started
# (their ids in pids, stopped last first at the end), fail and await. A script that has more to
# undo defines undo_more before it sources this file.
work=$(mktemp -d)
pids=()
cleanup() {
    # The launcher first, then its X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    ! declare -F undo_more >/dev/null || undo_more
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Waits up to 30 s for a file to be written.
await() {
    for _ in $(seq 300); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    fail "$2"
}
