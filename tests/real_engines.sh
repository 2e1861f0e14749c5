#!/usr/bin/env bash
# Debian's own engines started through the launcher's launch code (the start_game tool: the
# settings, a request, the real program start) on a private Xvfb with no sound device. A
# chocolate-doom host for two players and a joining chocolate-doom on 127.0.0.1 must both
# report the same game; each installed engine, started for a single-player game with a level,
# a skill, an extra WAD, a Dehacked patch and the monster options, must report them; dsda-doom
# must refuse to host. Only the processes started here are ended, by their ids.
# Exits 77 (skipped) without Xvfb, Freedoom or any of the engines.
# Usage: real_engines.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
start_game=$build/tests/start_game
iwad=/usr/share/games/doom/freedoom2.wad
engines=()
absent=()
for engine in chocolate-doom crispy-doom dsda-doom woof; do
    if [ -x "/usr/games/$engine" ]; then engines+=("$engine"); else absent+=("$engine"); fi
done
if ! command -v Xvfb >/dev/null || [ ! -f "$iwad" ] || [ ${#engines[@]} -eq 0 ]; then
    echo "SKIP: needs Xvfb, $iwad and one of chocolate-doom crispy-doom dsda-doom woof-doom"
    exit 77
fi
[ ${#absent[@]} -eq 0 ] || echo "SKIP in part: not installed, so not tried: ${absent[*]}"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do
            [ -d "/proc/$pid" ] || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $log" >&2
        grep -v '^ALSA' "$log" | tail -n 15 >&2 || true
    done
    exit 1
}
# Waits up to 15 s for a line matching the pattern in the log.
await() {
    for _ in $(seq 150); do
        grep -qE -- "$2" "$1" && return 0
        sleep 0.1
    done
    fail "$(basename "$1"): no line matching '$2'"
}

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy HOME=$work XDG_RUNTIME_DIR=$work
unset XDG_CONFIG_HOME XDG_DATA_HOME

# A PWAD holding one empty lump, and a Dehacked patch giving the player 150 hit points.
printf 'PWAD\001\000\000\000\014\000\000\000\014\000\000\000\000\000\000\000BRXTEST\000' \
    >"$work/tiny.wad"
printf 'Patch File for DeHackEd v3.0\nDoom version = 19\nPatch format = 6\n\n'"\
Thing 1 (Player)\nHit points = 150\n" >"$work/tiny.deh"

# Starts an engine through the launch code, its output in NAME.log as the launcher writes its
# game log (line by line: stdbuf's setting reaches the engine through the environment); the
# engine's id is kept for the cleanup. stdbuf preloads its library ahead of a sanitizer build's
# runtime, which the sanitizer takes for a fault unless told otherwise.
start() {
    local name=$1 engine=$2 request=$3
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" stdbuf -oL -eL "$start_game" "/usr/games/$engine" "$iwad" 320 200 44100 doom2 \
        "$request" "$work/$name.log" >"$work/$name.start" 2>&1 ||
        fail "$name: start_game exited $?"
    local pid
    pid=$(sed -n 's/^start_game: pid //p' "$work/$name.start")
    [ -n "$pid" ] && [ "$pid" != 0 ] || fail "$name: no engine started"
    pids+=("$pid")
    echo "$name: $(sed -n 's/^start_game: \(.*-iwad\)/\1/p' "$work/$name.start" | head -n 1)"
}
end_engines() {
    local keep=$1
    for ((i = keep; i < ${#pids[@]}; i++)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
}

seconds=$SECONDS
if [ -x /usr/games/chocolate-doom ]; then
    start host chocolate-doom "host; mode=2; playernum=2; level=Map05; skill=2"
    start join chocolate-doom "join; hostip=127.0.0.1"
    game='startskill 2  deathmatch: 1  startmap: 5  startepisode: 1'
    await "$work/host.log" "^$game"
    await "$work/join.log" "^$game"
    await "$work/host.log" '^player 1 of 2 \(2 nodes\)'
    await "$work/join.log" '^player 2 of 2 \(2 nodes\)'
    echo "network game: both report '$game'"
    end_engines 1
fi

solo="solo; level=Map07; skill=3; externalwad=$work/tiny.wad; dehacked=$work/tiny.deh; \
nomonsters=1; respawnmonsters=1; fastmonsters=1"
for engine in "${engines[@]}"; do
    count=${#pids[@]}
    start "$engine" "$engine" "$solo"
    log=$work/$engine.log
    case $engine in
    chocolate-doom | crispy-doom | woof)
        await "$log" '(adding|merging) .*/tiny\.wad'
        await "$log" 'loading .*/tiny\.deh|Loading DEH file .*/tiny\.deh'
        await "$log" '^startskill 2  deathmatch: 0  startmap: 7'
        ;;&
    crispy-doom) await "$log" '^P_SetupLevel: MAP07 .* -respawn -fast -nomonsters' ;;
    woof) await "$log" '^P_SetupLevel: MAP07' ;;
    dsda-doom)
        # It reports the files it loads but nothing of the level: it must take every option
        # and still run 3 s later.
        await "$log" 'adding .*/tiny\.wad'
        await "$log" 'Loading DEH file .*/tiny\.deh'
        sleep 3
        [ -d "/proc/${pids[-1]}" ] || fail "dsda-doom ended"
        ! grep -qiE 'unknown command line option|does not accept' "$log" ||
            fail "dsda-doom misread an option"
        ;;
    esac
    echo "$engine: $(grep -E '^(startskill|P_SetupLevel)' "$log" | tr '\n' ' ')"
    end_engines "$count"
done

# A PWAD whose only map is MAP05, titled "Tiny Hall" by its UMAPINFO (woof) or by a Dehacked
# patch's [STRINGS] (chocolate-doom): the level is picked by that title as the level
# list shows it, and the engine must go to MAP05.
le32() {
    local n=$1
    printf "\\$(printf %03o $((n & 255)))\\$(printf %03o $((n >> 8 & 255)))"
    printf "\\$(printf %03o $((n >> 16 & 255)))\\$(printf %03o $((n >> 24 & 255)))"
}
# make_pwad OUT NAME=FILE...: a PWAD of these lumps, an empty FILE giving an empty lump.
make_pwad() {
    local out=$1 offset=12 size name file
    shift
    : >"$out.data"
    : >"$out.dir"
    for lump; do
        name=${lump%%=*} file=${lump#*=} size=0
        if [ -n "$file" ]; then
            cat "$file" >>"$out.data"
            size=$(stat -c %s "$file")
        fi
        { le32 "$offset"; le32 "$size"; printf '%-8.8s' "$name" | tr ' ' '\0'; } >>"$out.dir"
        offset=$((offset + size))
    done
    { printf PWAD; le32 $#; le32 "$offset"; cat "$out.data" "$out.dir"; } >"$out"
}
printf 'MAP MAP05\n{\n    levelname = "Tiny Hall"\n}\n' >"$work/umapinfo.txt"
printf 'Patch File for DeHackEd v3.0\nDoom version = 19\nPatch format = 6\n\n[STRINGS]\n%s\n' \
    'HUSTR_5 = MAP05: Tiny Hall' >"$work/title.deh"
map05=(MAP05= THINGS= LINEDEFS= SIDEDEFS= VERTEXES= SECTORS=)
make_pwad "$work/map05.wad" "${map05[@]}" UMAPINFO="$work/umapinfo.txt"
make_pwad "$work/map05-plain.wad" "${map05[@]}"
for engine in chocolate-doom woof; do
    [ -x "/usr/games/$engine" ] || continue
    count=${#pids[@]}
    case $engine in
    woof) files="externalwad= $work/map05.wad" ;;
    *) files="externalwad= $work/map05-plain.wad; dehacked=$work/title.deh" ;;
    esac
    start "$engine-titled" "$engine" "solo; title=Tiny Hall; $files"
    grep -q '^start_game: Tiny Hall is MAP05$' "$work/$engine-titled.start" ||
        fail "$engine: the title did not pick MAP05"
    log=$work/$engine-titled.log
    # The map's lumps are empty: the engine goes to MAP05 and then stops.
    await "$log" '^startskill 3  deathmatch: 0  startmap: 5'
    echo "$engine: \"Tiny Hall\" is MAP05: $(grep -m1 'startmap: 5' "$log")"
    end_engines "$count"
done

if [ -x /usr/games/dsda-doom ]; then
    status=0
    "$start_game" /usr/games/dsda-doom "$iwad" 320 200 44100 doom2 host \
        >"$work/refusal.log" 2>&1 || status=$?
    [ "$status" = 3 ] && grep -q '^dsda-doom cannot play network games' "$work/refusal.log" ||
        fail "dsda-doom did not refuse to host"
    grep -q 'start_game: pid' "$work/refusal.log" && fail "a refused game started"
    echo "dsda-doom refuses to host: $(cat "$work/refusal.log")"
fi
echo "all engines in $((SECONDS - seconds)) s"
