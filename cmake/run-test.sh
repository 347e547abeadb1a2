#!/usr/bin/env bash
# run-test.sh <work folder> <test program> [args...]
# Gives the test a fresh working folder and a private environment.
set -euo pipefail
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
exec "$@"
