#!/usr/bin/env bash
# A crash loses at most the last half minute of work: the program is started
# on a graph, a new data window is made and typed into, and once the recovery
# delay has passed it is killed with SIGKILL. Started again it asks to
# "Recover Unsaved Work"; Yes opens the work under its graph file's name, and
# saving it writes exactly the work that was kept, after which no recovery
# file is left. Runs under a virtual display (xvfb-run) with a window manager.
# Usage: recovery_test.sh TORVEL_GRAPHICS EXAMPLE_GRA
set -u
# Keys typed into a busy machine's windows may be lost: one failed run is tried
# once more; recovery that does not work fails both.
if [ -z "${RECOVERY_TEST_RUN:-}" ]; then
    RECOVERY_TEST_RUN=1 bash "$0" "$@" && exit 0
    echo "one more run"
    RECOVERY_TEST_RUN=2 exec bash "$0" "$@"
fi
gui=$1 example=$2
work=$(mktemp -d) || exit 1
pids=()
trap 'kill -9 "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The program's own copy: its start-up file goes beside it, not beside the build's.
mkdir -p "$work/bin" "$work/home"
cp "$gui" "$work/bin/torvel-graphics"
export HOME="$work/home" XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/home/.config"
state="$work/state/torvel-graphics"
cp "$example" "$work/doc.gra"
openbox >/dev/null 2>&1 &
pids+=($!)

# Waits (up to $2 seconds) for a visible window whose title matches $1, and activates it.
window() {
    local id
    id=$(timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -1) ||
        fail "no window \"$1\" within $2 s"
    xdotool windowactivate --sync "$id" 2>/dev/null
    sleep 0.5
}

"$work/bin/torvel-graphics" "$work/doc.gra" >"$work/log1" 2>&1 &
first=$!
pids+=($first)
window '^Torvel Graphics' 20
sleep 2
xdotool key --delay 150 alt+f n # File > New Data: a new data window, current cell X1
sleep 1
xdotool type --delay 100 '123.25'
xdotool key Tab
xdotool key minus
xdotool type --delay 100 '7e3'
xdotool key Return
changed=$(date +%s)

file="$state/recovery-$first.gra"
until [ -s "$file" ] && grep -q '1.23250000000000E+0002' "$file" 2>/dev/null; do
    [ $(($(date +%s) - changed)) -le 33 ] || fail "no recovery file with the typed value 33 s after the change"
    sleep 1
done
sleep 1 # the info beside it
cp "$file" "$work/kept.gra"
grep -q -- '-7.00000000000000E+0003' "$work/kept.gra" || fail "the second typed value is not kept"
kill -9 "$first"
wait "$first" 2>/dev/null

"$work/bin/torvel-graphics" >"$work/log2" 2>&1 &
second=$!
pids+=($second)
window '^Recover Unsaved Work$' 20
xdotool key Return # Yes
sleep 3
[ -s "$state/recovery-$second.gra" ] || fail "the recovered work is not this program's unsaved work"
window '^Torvel Graphics' 5
xdotool key --delay 150 alt+f s # the graph window's File > Save Graph
window '^Save Graph' 10
xdotool key Return # the name offered is the graph file's own
sleep 2
cmp -s "$work/doc.gra" "$work/kept.gra" || fail "the saved graph differs from the work kept: $(diff <(tr -d '\r' <"$work/kept.gra") <(tr -d '\r' <"$work/doc.gra") | head -5)"
ls "$state"/recovery-*.gra >/dev/null 2>&1 && fail "a recovery file is left after saving: $(ls "$state")"
echo "recovery: passed"
