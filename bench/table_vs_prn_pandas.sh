#!/bin/bash
# Whole-process time of importing a 1,000,000-row, 4-column comma-separated
# table with a header (torvel-cli fit --kind 0, which reads the file as
# Import Table does and fits nothing) against opening the same numbers as a
# .prn the same way, and against pandas.read_csv of the same file; the three
# run in turn, RUNS times, and the medians and their ratios are printed.
#   bench/table_vs_prn_pandas.sh [path/to/torvel-cli]
# python3-pandas is only needed here; it is no dependency of the program.
set -eu
CLI=${1:-build/src/cli/torvel-cli}
RUNS=${RUNS:-7}
# Debian's python3-pandas lives with the system's Python.
PYTHON=${PYTHON:-/usr/bin/python3}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

"$PYTHON" -c 'import pandas' 2>/dev/null || { echo "python3-pandas is not installed" >&2; exit 1; }

awk 'BEGIN { print "time,temp,pressure,humidity";
      for (i = 0; i < 1000000; i++)
          printf "%.3f,%.4f,%.2f,%.5f\n", i * 0.001, 20 + (i % 1000) * 0.0123,
                 1013.25 - (i % 777) * 0.01, (i % 97) * 0.00731 }' > "$WORK/t.csv"
tail -n +2 "$WORK/t.csv" | tr ',' ' ' > "$WORK/t.prn"

ms() { # command... -> milliseconds of wall time
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

: > "$WORK/csv"; : > "$WORK/prn"; : > "$WORK/pandas"
for _ in $(seq "$RUNS"); do
    ms "$CLI" fit "$WORK/t.csv" --kind 0 >> "$WORK/csv"
    ms "$CLI" fit "$WORK/t.prn" --kind 0 >> "$WORK/prn"
    ms "$PYTHON" -c 'import sys, pandas; pandas.read_csv(sys.argv[1])' "$WORK/t.csv" >> "$WORK/pandas"
done
csv=$(median < "$WORK/csv"); prn=$(median < "$WORK/prn"); pandas=$(median < "$WORK/pandas")
echo "table import (csv): median of $RUNS runs $csv ms"
echo "prn open:           median of $RUNS runs $prn ms"
echo "pandas.read_csv:    median of $RUNS runs $pandas ms"
echo "ratio csv/prn:    $(awk "BEGIN { printf \"%.2f\", $csv / $prn }") (goal at most 1.20)"
echo "ratio csv/pandas: $(awk "BEGIN { printf \"%.2f\", $csv / $pandas }") (goal below 1)"
