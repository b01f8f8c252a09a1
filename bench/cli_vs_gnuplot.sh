#!/bin/sh
# Whole-process time of torvel-cli render against a general-purpose plotting
# tool (gnuplot) for the same points drawn with lines and points: a data file
# of 21 columns (X and 20 series) by 10,000 lines into a 1600x1000 PNG.
#   bench/cli_vs_gnuplot.sh [path/to/torvel-cli]
# gnuplot is installed here when missing; it is not a dependency of the program.
set -eu
CLI=${1:-build/src/cli/torvel-cli}
RUNS=${RUNS:-5}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if ! command -v gnuplot >/dev/null 2>&1; then
    (apt-get install -y gnuplot-nox >/dev/null 2>&1 || sudo apt-get install -y gnuplot-nox >/dev/null 2>&1) ||
        { echo "gnuplot is not available; install gnuplot-nox" >&2; exit 1; }
fi

awk 'BEGIN { srand(7); for (i = 0; i < 10000; i++) { x = i / 1000.0;
      line = sprintf("%.6f", x);
      for (s = 0; s < 20; s++) line = line sprintf(" %.6f", 5 + 4 * sin(x + s * 0.3) + rand() * 0.01);
      print line } }' > "$WORK/data.prn"

cat > "$WORK/plot.gp" <<GP
set terminal png size 1600,1000
set output '$WORK/gnuplot.png'
set key off
plot for [c=2:21] '$WORK/data.prn' using 1:c with linespoints
GP

time_runs() { # label, command...
    label=$1; shift
    best=""
    i=0
    while [ $i -lt "$RUNS" ]; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        ms=$(( (end - start) / 1000000 ))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
        i=$((i + 1))
    done
    echo "$label: best of $RUNS runs $best ms"
    eval "best_$label=$best"
}

time_runs torvel "$CLI" render "$WORK/data.prn" -o "$WORK/torvel.png" --size 1600x1000 --auto-scale
time_runs gnuplot gnuplot "$WORK/plot.gp"
# shellcheck disable=SC2154
echo "ratio torvel/gnuplot: $(awk "BEGIN { printf \"%.2f\", $best_torvel / $best_gnuplot }")"
