#!/bin/sh
# Whole-process time and peak memory of every command on data files of
# 1,000,000 and 10,000,000 rows (two columns, X in random order, 8 digits),
# each beside its peer where one exists: gnuplot drawing the same points with
# linespoints into a PNG of the same size, numpy's loadtxt + polyfit for a
# line fit. Prints one line a command: seconds, peak MB, bytes a row.
#   bench/big_file.sh [build folder]        (ROWS="1000000 10000000" by default)
# Needs gnuplot, python3 with numpy and GNU time (/usr/bin/time).
set -eu
BUILD=${1:-build}
CLI=$BUILD/src/cli/torvel-cli
GUI=$BUILD/bench/bench_big_file
ROWS=${ROWS:-"1000000 10000000"}
if [ -z "${WORK:-}" ]; then
    WORK=$(mktemp -d)
    trap 'rm -rf "$WORK"' EXIT
fi
PY=/usr/bin/python3

measure() { # label rows command...: one line of figures
    label=$1 rows=$2
    shift 2
    status=ok
    /usr/bin/time -f "%e %M" -o "$WORK/time" "$@" >"$WORK/out" 2>&1 || status="exit status not 0"
    tail -n 1 "$WORK/time" | awk -v l="$label" -v n="$rows" -v s="$status" '{ printf "%-26s %9d rows %8.2f s %8.1f MB %6.1f B/row  %s\n",
        l, n, $1, $2 / 1024, $2 * 1024 / n, s == "ok" ? "" : s }'
}

for n in $ROWS; do
    data=$WORK/rows$n.prn
    [ -f "$data" ] || $PY -c "
import numpy as np
rng = np.random.default_rng(5)
x = rng.permutation($n) / $n * 1000 + rng.random($n) * 1e-4
np.savetxt('$data', np.c_[x, 3.5 + 2.25 * x + rng.random($n)], fmt='%.8g')"
    cat >"$WORK/plot.gp" <<GP
set terminal png size 1600,1000
set output '$WORK/gnuplot.png'
plot '$data' using 1:2 with linespoints
GP
    # Peers and program alternately, so a drifting machine hits both.
    measure "render" "$n" "$CLI" render "$data" -o "$WORK/r.png" --size 1600x1000 --auto-scale
    measure "  gnuplot linespoints" "$n" gnuplot "$WORK/plot.gp"
    measure "fit --kind 1" "$n" "$CLI" fit "$data" --kind 1
    measure "  numpy loadtxt+polyfit" "$n" $PY -c "
import numpy as np
d = np.loadtxt('$data')
print(np.polyfit(d[:, 0], d[:, 1], 1))"
    for k in 2 3 4 5 6 7 8; do
        measure "fit --kind $k" "$n" "$CLI" fit "$data" --kind $k
    done
    measure "print-data" "$n" "$CLI" print-data "$data" -o "$WORK/p.pdf"
    for b in OpenUntilGraphDrawn SortX Duplicate OperateOnCells TypeAtTheEnd; do
        TORVEL_BENCH_FILE=$data measure "window: $b" "$n" "$GUI" --benchmark_filter="BM_$b/"
        grep "^BM_$b/" "$WORK/out" | sed 's/^/    /' || true
    done
done
