#!/usr/bin/env bash
# run-test.sh [--xcb] <work folder> <test program> [args...]
# Gives the test a fresh working folder and a private environment. With
# --xcb the test runs on the X11 platform against a private Xvfb server, the
# way a user's keys reach the program (X11 key bindings included).
set -euo pipefail
xcb=
if [ "${1:-}" = "--xcb" ]; then
    xcb=1
    shift
fi
work=$1; shift
rm -rf "$work"
mkdir -p "$work/home" "$work/config" "$work/runtime" "$work/tmp" "$work/cwd"
chmod 700 "$work/runtime"
cd "$work/cwd"
export HOME="$work/home"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
export TMPDIR="$work/tmp"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM="${ZUVO_TEST_PLATFORM:-offscreen}"

if [ -z "$xcb" ]; then
    exec "$@"
fi

if ! command -v Xvfb >/dev/null; then
    if [ "${CI:-}" = "true" ]; then
        echo "run-test.sh: Xvfb is missing; CI installs it (package xvfb)" >&2
        exit 1
    fi
    echo "run-test.sh: SKIP: Xvfb is not installed (package xvfb)" >&2
    exit 77
fi
# The server picks a free display itself (-displayfd), so tests running in
# parallel never race for a display number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    if ! kill -0 $xvfb 2>/dev/null; then
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "run-test.sh: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
"$@"
