#!/usr/bin/env bash
# The command lines of torvel-graphics and torvel-cli as scripts and shells
# use them. Usage: command_line_test.sh CASE TORVEL_CLI TORVEL_GRAPHICS MAN_FOLDER
set -u
case_name=$1 cli=$2 gui=$3 man_dir=$4
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
mkdir "$work/tmp"
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs "$@" without any display, as on a server; keeps status, stdout and stderr.
# Scratch files go to $work/tmp, which must be empty again afterwards.
headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR TMPDIR="$work/tmp" "$@" \
        >"$work/out" 2>"$work/err"
    status=$?
}
expect() { # expect STATUS WHAT: the last run's status, and an empty stderr on success
    [ "$status" -eq "$1" ] || fail "$2: status $status, expected $1"
    if [ "$1" -eq 0 ] && [ -s "$work/err" ]; then fail "$2: wrote on stderr: $(head -c 300 "$work/err")"; fi
}

printf '1 2 5\n2 4 3\n3 9 1\n' >"$work/data.prn"

case $case_name in
help_and_version)
    for prog in "$cli" "$gui"; do
        name=$(basename "$prog")
        headless "$prog" --version
        expect 0 "$name --version"
        grep -qx "$name (Torvel Graphics) [0-9.]*" "$work/out" || fail "$name --version said: $(cat "$work/out")"
        headless "$prog" --help
        expect 0 "$name --help"
        grep -q "^Usage: *$" "$work/out" || grep -q "^Usage: $name" "$work/out" || fail "$name --help has no usage"
        grep -q -- "--version" "$work/out" || fail "$name --help does not list --version"
        headless "$prog" --frobnicate
        expect 2 "$name --frobnicate"
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$name --frobnicate: not one line: $(cat "$work/err")"
        grep -q -- "--frobnicate" "$work/err" || fail "$name --frobnicate: the option is not named"
        [ ! -s "$work/out" ] || fail "$name --frobnicate wrote on stdout"
    done
    headless "$gui" one.gra two.gra
    expect 2 "two files"
    headless "$cli" render "$work/data.prn" -o "$work/a.png" -o "$work/b.png"
    expect 2 "two -o"
    [ ! -e "$work/a.png" ] && [ ! -e "$work/b.png" ] || fail "two -o wrote a file"
    headless "$cli" fit "$work/data.prn" --kind 1 --kind 2
    expect 2 "two --kind"
    grep -q "more than one --kind" "$work/err" || fail "two --kind said: $(cat "$work/err")"
    headless "$cli" render --help
    expect 0 "render --help"
    grep -q "^Usage:" "$work/out" || fail "render --help printed no usage"
    # -- ends the options: a file may be named like one.
    cp "$work/data.prn" "$work/-data.prn"
    headless sh -c 'cd "$1" && "$2" fit --kind 1 -- -data.prn' sh "$work" "$cli"
    expect 0 "fit -- -data.prn"
    grep -qx "Series # 2" "$work/out" || fail "fit -- -data.prn printed: $(cat "$work/out")"
    ;;
silent_success)
    # No toolkit notes on success; fit needs no display at all, even when asked for one.
    headless "$cli" render "$work/data.prn" -o "$work/x.png" --auto-scale
    expect 0 "render png"
    headless "$cli" render "$work/data.prn" -o "$work/x.pdf"
    expect 0 "render pdf"
    headless env QT_QPA_PLATFORM=xcb "$cli" fit "$work/data.prn" --kind 1
    expect 0 "fit with a display platform that cannot start"
    [ "$(head -1 "$work/out")" = "Series # 1" ] || fail "fit printed: $(head -3 "$work/out")"
    ;;
out_of_memory)
    # A graph image larger than the memory the process may have: the command
    # ends with its message and status 1, and writes no file.
    headless bash -c 'ulimit -v 600000 && exec "$0" "$@"' "$cli" render "$work/data.prn" \
        -o "$work/big.png" --size 16000x16000 --screen 16384x16384
    expect 1 "render beyond the memory limit"
    [ "$(cat "$work/err")" = "Not enough memory to draw the graph." ] ||
        fail "render beyond the memory limit said: $(head -c 300 "$work/err")"
    [ ! -e "$work/big.png" ] || fail "render beyond the memory limit left a file"
    ;;
stdout_and_stdin)
    headless "$cli" render "$work/data.prn" -o "$work/file.png" --size 400x300
    expect 0 "render to a file"
    headless "$cli" render "$work/data.prn" -o - --format png --size 400x300
    expect 0 "render to stdout"
    [ "$(head -c 8 "$work/out" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "stdout is no PNG"
    cmp -s "$work/out" "$work/file.png" || fail "stdout differs from the file written with -o"
    for format in bmp pdf; do
        headless "$cli" render "$work/data.prn" -o - --format $format
        expect 0 "render to stdout as $format"
        [ -s "$work/out" ] || fail "nothing on stdout as $format"
    done
    head -c 2 "$work/out" | grep -q '%P' || fail "pdf on stdout does not start %PDF"
    headless "$cli" render "$work/data.prn" -o -
    expect 2 "-o - without --format"
    headless "$cli" render "$work/data.prn" -o "$work/x.png" --format bmp
    expect 2 "--format that contradicts the extension"
    headless sh -c '"$1" render - -o - --format png --size 400x300 <"$2"' sh "$cli" "$work/data.prn"
    expect 0 "data from stdin"
    cmp -s "$work/out" "$work/file.png" || fail "the stdin graph differs from the file's"
    headless sh -c '"$1" fit - --kind 1 <"$2"' sh "$cli" "$work/data.prn"
    expect 0 "fit of stdin"
    grep -q "^Series # 2$" "$work/out" || fail "fit of stdin printed: $(cat "$work/out")"
    headless sh -c 'echo hello | "$1" render - -o "$2"' sh "$cli" "$work/y.png"
    expect 1 "no numbers on stdin"
    grep -q "(standard input)" "$work/err" || fail "stdin not named in: $(cat "$work/err")"
    # (the toolkit keeps its runtime folder there when XDG_RUNTIME_DIR is unset)
    left=$(ls -A "$work/tmp" | grep -v '^runtime-')
    [ -z "$left" ] || fail "scratch files left behind: $left"
    ;;
write_failures)
    # A file-size limit fails the write with its reason instead of killing the
    # program, and leaves no temporary file.
    headless bash -c 'ulimit -f 8; exec "$1" render "$2" -o "$3" --size 1000x1000' sh \
        "$cli" "$work/data.prn" "$work/big.bmp"
    expect 1 "render beyond the file-size limit"
    grep -q "^torvel-cli: cannot write $work/big.bmp: .*File too large$" "$work/err" ||
        fail "no reason given: $(cat "$work/err")"
    [ -z "$(ls -A "$work" | grep -v '^\(data.prn\|out\|err\|tmp\)$')" ] ||
        fail "files left behind: $(ls -A "$work")"
    # A file-size limit that stops the copy of standard input says so.
    headless bash -c 'ulimit -f 1; head -c 4096 /dev/zero | tr "\\0" "1" | "$1" fit - --kind 1' sh "$cli"
    expect 1 "standard input beyond the file-size limit"
    grep -q "^torvel-cli: cannot write the copy of standard input to .*: File too large$" "$work/err" ||
        fail "the stdin copy said: $(cat "$work/err")"
    # A file no command reads says so.
    echo "1 2" >"$work/notes.doc"
    headless "$cli" render "$work/notes.doc" -o "$work/x.png"
    expect 1 "a file of another kind"
    grep -qx "The file $work/notes.doc cannot be opened: Unknown file type" "$work/err" ||
        fail "unknown type said: $(cat "$work/err")"
    ;;
broken_outputs)
    # Output that cannot be written fails the run: status 1 and one line on stderr.
    one_line() { [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$1: stderr is not one line: $(cat "$work/err")"; }
    for prog in "$cli" "$gui"; do
        name=$(basename "$prog")
        for option in --help --version; do
            headless sh -c '"$1" "$2" >/dev/full' sh "$prog" $option
            expect 1 "$name $option >/dev/full"
            one_line "$name $option >/dev/full"
            headless sh -c '"$1" "$2" >&-' sh "$prog" $option
            expect 1 "$name $option with standard output closed"
            one_line "$name $option with standard output closed"
        done
    done
    headless sh -c '"$1" fit "$2" --kind 1 >/dev/full' sh "$cli" "$work/data.prn"
    expect 1 "fit >/dev/full"
    grep -qx "torvel-cli: cannot write standard output: No space left on device" "$work/err" ||
        fail "fit >/dev/full said: $(cat "$work/err")"
    headless sh -c '"$1" fit "$2" --kind 1 >&-' sh "$cli" "$work/data.prn"
    expect 1 "fit with standard output closed"
    one_line "fit with standard output closed"
    # A reader that goes away: no death by SIGPIPE, no scratch file left.
    headless bash -c '"$1" render "$2" -o - --format bmp --size 2000x2000 | head -c 1 >/dev/null
        exit "${PIPESTATUS[0]}"' sh "$cli" "$work/data.prn"
    expect 1 "render into a closed pipe"
    grep -qx "torvel-cli: cannot write standard output: Broken pipe" "$work/err" ||
        fail "render into a closed pipe said: $(cat "$work/err")"
    left=$(ls -A "$work/tmp" | grep -v '^runtime-')
    [ -z "$left" ] || fail "render into a closed pipe left scratch files: $left"
    # Ended by a signal while reading standard input: the scratch folder goes too.
    mkfifo "$work/fifo"
    for signal in INT TERM; do
        env -u DISPLAY TMPDIR="$work/tmp" env --default-signal=INT,TERM "$cli" render - \
            -o "$work/s.png" <"$work/fifo" 2>"$work/err" &
        pid=$!
        exec 3>"$work/fifo"
        printf '1 2\n' >&3
        for _ in $(seq 100); do [ -e "$work"/tmp/torvel-cli-*/stdin.prn ] && break; sleep 0.05; done
        kill -"$signal" "$pid"
        wait "$pid"
        status=$?
        exec 3>&-
        [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: status $status"
        left=$(ls -A "$work/tmp" | grep -v '^runtime-')
        [ -z "$left" ] || fail "SIG$signal left scratch files: $left"
    done
    ;;
man_pages)
    for page in torvel-graphics torvel-cli; do
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$man_dir/$page.1" >"$work/page" 2>"$work/err"
        [ $? -eq 0 ] && [ ! -s "$work/err" ] || fail "$page.1: $(cat "$work/err")"
        grep -q "^NAME" "$work/page" || fail "$page.1 rendered no NAME section"
    done
    # Every option --help lists is in the page.
    for prog in "$cli" "$gui"; do
        name=$(basename "$prog")
        page=$(sed 's/\\-/-/g' "$man_dir/$name.1")
        for option in $("$prog" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
            grep -q -- "$option" <<<"$page" || fail "$name.1 does not describe $option"
        done
    done
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
[ "$failures" -eq 0 ] && echo "$case_name: passed"
exit $((failures > 0))
