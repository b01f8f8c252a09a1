#!/usr/bin/env bash
# A data file of a million rows opened under every limit on virtual memory
# from "cannot start" to "loads" (one and two series): each run either loads
# it or says "Not enough memory to open FILE." with the open series unchanged;
# never a crash, never a hang. Coarse steps over the whole range, then fine
# steps over the band below the first limit that loads.
# Usage: memory_limit_test.sh OPEN_UNDER_LIMIT
set -u
driver=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen TMPDIR="$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '1 2\n3 4\n' >"$work/small.prn"
seq 1 1000000 | awk '{ print $1, $1 * 2 }' >"$work/one.prn"
seq 1 1000000 | awk '{ print $1, $1 * 2, $1 * 3 }' >"$work/two.prn"

# Runs the driver on $1.prn under a limit of $2 KB; sets result to loaded,
# refused, cannot (too little memory to start, or to open the small file) or failed.
run() {
    timeout 60 bash -c 'ulimit -v "$1" && exec "$2" "$3" "$4"' sh "$2" "$driver" "$work/small.prn" \
        "$work/$1.prn" >"$work/out" 2>/dev/null
    local status=$? last
    last=$(tail -1 "$work/out")
    if ! grep -qx started "$work/out"; then
        result=cannot
    elif [ "$status" -eq 0 ] && [ "$last" = refused ]; then
        result=refused
    elif [ "$status" -eq 0 ] && [ "$last" = "loaded $3" ]; then
        result=loaded
    else
        fail "$1.prn under ulimit -v $2: status $status, said: $(tr '\n' ' ' <"$work/out")"
        result=failed
    fi
}

for file in one two; do
    series=1
    [ "$file" = two ] && series=2
    first_load=
    for limit in $(seq 120000 30000 420000); do
        run $file $limit $series
        [ -z "$first_load" ] && [ "$result" = loaded ] && first_load=$limit
    done
    [ -n "$first_load" ] || { fail "$file.prn never loaded up to 420 MB"; continue; }
    for limit in $(seq $((first_load - 27000)) 3000 $((first_load - 3000))); do
        run $file $limit $series
    done
done
[ "$failures" -eq 0 ] && echo "memory limit: passed"
exit $((failures > 0))
