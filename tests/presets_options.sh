#!/usr/bin/env bash
# The presets from outside the windows: `brixmoor --list` prints the presets without a display,
# `--play NAME` starts a preset's game on a stand-in engine (and fails in one line on the
# standard error for a preset or an engine that is not there), and `--shortcut NAME` writes a
# desktop entry that desktop-file-validate accepts and whose Exec line, unquoted as the desktop
# entry rules say, plays the same preset: names with quotes, %, $, backslashes and shell
# characters included. Exits 77 (skipped) without desktop-file-validate.
# Usage: presets_options.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
if ! command -v desktop-file-validate >/dev/null || ! command -v python3 >/dev/null; then
    echo "SKIP: needs desktop-file-validate and python3 (Debian's desktop-file-utils, python3)"
    exit 77
fi

. "$(dirname "$0")/script_kit.sh"

# The launcher in a folder of its own, with brx.cfg and the presets file beside it.
mkdir "$work/app" "$work/data"
cp "$build/src/app/brixmoor" "$work/app/"
app=$work/app/brixmoor
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/engine.args"\n' "$work" >"$work/engine"
chmod +x "$work/engine"
printf '%s\r\n' "$work/gone,$work/OLD.WAD,640,480,44100, 2 , 0 " >"$work/app/brx.cfg"
odd='Q "x" 100% $HOME `id` \ ;&|<>*?#~() ü'
ODD=$odd WORK=$work python3 - <<'PY'
import json, os
work = os.environ["WORK"]
def preset(name, engine, **game):
    return {"name": name, "engine": engine, "iwad": work + "/DOOM2.WAD", "game": game}
json.dump({"presets": [
    preset("Plain", work + "/engine", skill=0, level="Map07", other_options=""),
    preset(os.environ["ODD"], work + "/engine", nomonsters=True),
    preset("No engine", work + "/nowhere"),
    preset("two\nlines", work + "/engine")]},
    open(work + "/app/brx-presets.json", "w"))
PY

# --list, with no display at all.
listed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --list)
expected=$(printf '%s\n' Plain "$odd" "No engine" two lines)
[ "$listed" = "$expected" ] || fail "--list printed: $listed"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data
mkdir -m 700 "$XDG_RUNTIME_DIR"

# --play: the preset's engine and IWAD become the current ones and its game starts.
"$app" --play Plain 2>"$work/err" || fail "--play Plain: $(cat "$work/err")"
args=$(tr '\n' ' ' <"$work/engine.args")
[ "$args" = "-iwad $work/DOOM2.WAD -skill 1 -warp 07 -width 640 -height 480 +snd_samplerate 44100 " ] ||
    fail "the engine was given: $args"
grep -q "^$work/engine,$work/DOOM2.WAD," "$work/app/brx.cfg" || fail "brx.cfg: $(cat "$work/app/brx.cfg")"

for missing in "Nobody" "No engine"; do
    status=0
    "$app" --play "$missing" 2>"$work/err" || status=$?
    [ "$status" -ne 0 ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
        fail "--play \"$missing\" ended with $status and said: $(cat "$work/err")"
done

# --shortcut: a valid desktop entry whose Exec plays the preset of that name.
rm "$work/engine.args"
entry=$("$app" --shortcut "$odd") || fail "--shortcut failed"
[ "${entry#"$work/data/applications/"}" != "$entry" ] || fail "the shortcut went to $entry"
desktop-file-validate "$entry" || fail "desktop-file-validate refused $entry"
mapfile -d '' exec < <(python3 - "$entry" <<'PY'
import sys
# The value of Exec, its string escapes undone, split by the quoting rules of desktop entries.
line = next(l for l in open(sys.argv[1], encoding="utf-8") if l.startswith("Exec="))
value, text = line[5:].rstrip("\n"), ""
escapes = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
i = 0
while i < len(value):
    if value[i] == "\\" and i + 1 < len(value):
        text += escapes.get(value[i + 1], "\\" + value[i + 1]); i += 2
    else:
        text += value[i]; i += 1
args, word, quoted, i = [], None, False, 0
while i < len(text):
    c = text[i]
    if quoted and c == "\\" and text[i + 1] in '"`$\\':
        word += text[i + 1]; i += 2; continue
    if c == '"':
        quoted = not quoted; word = word or ""
    elif c == " " and not quoted:
        if word is not None: args.append(word)
        word = None
    else:
        word = (word or "") + c
    i += 1
if word is not None: args.append(word)
sys.stdout.write("\0".join(a.replace("%%", "%") for a in args) + "\0")
PY
)
[ "${exec[0]}" = "$app" ] && [ "${exec[1]}" = --play ] && [ "${exec[2]}" = "$odd" ] ||
    fail "the shortcut runs: ${exec[*]}"
"${exec[@]}" 2>"$work/err" || fail "the shortcut's command failed: $(cat "$work/err")"
grep -qx -- -nomonsters "$work/engine.args" || fail "the shortcut did not play $odd"

# A name that no desktop entry can hold is refused in one line.
status=0
"$app" --shortcut $'two\nlines' 2>"$work/err" || status=$?
[ "$status" -ne 0 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "a name of two lines: $(cat "$work/err")"
echo "presets from outside: --list, --play and a valid shortcut that plays the preset"
