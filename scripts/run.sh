#!/usr/bin/env bash
# Starts the program on the bundled example, or says how when there is no display.
set -eu
bin="$1"; shift
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: run it under a virtual one with: xvfb-run -a -s '-screen 0 1600x1000x24' make run" >&2
    exit 1
fi
exec "$bin" "$@"
