#!/usr/bin/env bash
# run.sh <fuzz build folder> <seconds per target> <targets at once> [target...]
#
# Runs every fuzz target (or the named ones) for the given time on its seeds,
# with the dictionary of its input's keywords. Each target works in
# <build>/fuzz-run/<target>/: "seeds" is made afresh from the tests' fixtures
# and fuzz/seeds/<target>/, "corpus" keeps what the fuzzer found between runs,
# and "artifacts" receives crashes, hangs and leaks. Prints the executions and
# edges of each target; fails when any target found something. With 0 seconds
# each target only runs its seeds once (a check that the targets still work
# and that no seed crashes them, as CI runs it).
set -euo pipefail

build=${1:?usage: run.sh <fuzz build folder> <seconds> <jobs> [target...]}
seconds=${2:?seconds per target}
jobs=${3:?targets at once}
shift 3
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)

# target | dictionary | seeds (globs below the source folder) | libFuzzer options
table=(
  # The two large archives of the ZIP fixtures (a bomb and one at the total
  # cap) test the caps, which the tests cover; as seeds they take most of the
  # time, every mutation inflating to the cap again.
  "fuzz_zip|-|tests/formats/odf/fixtures/zip/[!bt]*.zip tests/formats/odf/fixtures/zip/tiny.zip tests/formats/odf/fixtures/*/*.odt|"
  "fuzz_oostyles|odf|fuzz/seeds/fuzz_oostyles/*|"
  "fuzz_odfimport|odf|fuzz/seeds/fuzz_odfimport/*|"
  "fuzz_odtfile|odf|tests/formats/odf/fixtures/*/*.odt fuzz/seeds/fuzz_odtfile/*|"
  "fuzz_odtwriter|-|fuzz/seeds/fuzz_odtwriter/*|"
  "fuzz_rtfreader|rtf|tests/formats/rtf/fixtures/*.rtf tests/legacy/fixtures/*.nudi|"
  "fuzz_nudiimport|nudi|tests/legacy/fixtures/*.nudi tests/formats/rtf/fixtures/*.rtf|"
  "fuzz_dictdb|-|fuzz/seeds/fuzz_dictdb/*|"
  "fuzz_dctfile|-|fuzz/seeds/fuzz_dctfile/*|"
  "fuzz_liststore|-|fuzz/seeds/fuzz_liststore/*|"
  "fuzz_wiki|-|fuzz/seeds/fuzz_wiki/*|"
  # Every line of a BRH file goes into a text editor, whose font machinery
  # keeps caches LeakSanitizer cannot see through: a leak check after each
  # input costs nine tenths of the speed and finds only those. The path holds
  # no memory of its own (text values through the script converter).
  "fuzz_brhimport|-|fuzz/seeds/fuzz_brhimport/*|-detect_leaks=0"
  # A whole window per input, made and deleted. The leak check after each
  # input stays on: beside the window it costs little, and with the fonts
  # loaded before the first input it finds no cache of Qt's.
  "fuzz_tabwidget|-|fuzz/seeds/fuzz_tabwidget/*|"
)

# Every target the build made has a line above: a new target without seeds
# would otherwise never run.
for exe in "$build"/fuzz/fuzz_*; do
    [ -x "$exe" ] && [ -f "$exe" ] || continue
    name=$(basename "$exe")
    printf '%s\n' "${table[@]}" | grep -q "^$name|" ||
        { echo "run.sh: $name has no line in the table" >&2; exit 2; }
done

wanted=("$@")
selected() {
    [ ${#wanted[@]} -eq 0 ] && return 0
    local w
    for w in "${wanted[@]}"; do [ "$w" = "$1" ] && return 0; done
    return 1
}

export LSAN_OPTIONS="suppressions=$src/fuzz/lsan.supp:print_suppressions=0"
# The targets write every input to a file (the database targets through
# SQLite, which syncs each commit): in memory that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=$(mktemp -d /dev/shm/zuvo-fuzz.XXXXXX)
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
fi

run_one() {
    local name=$1 dict=$2 globs=$3 options=$4
    local work="$build/fuzz-run/$name"
    rm -rf "$work/seeds" "$work/rc"
    mkdir -p "$work/seeds" "$work/corpus" "$work/artifacts"
    local g f
    for g in $globs; do
        for f in "$src"/$g; do
            [ -f "$f" ] && cp "$f" "$work/seeds/"
        done
    done
    local args=(-timeout=30 -print_final_stats=1 -artifact_prefix="$work/artifacts/")
    local dirs=("$work/corpus" "$work/seeds")
    if [ "$seconds" = 0 ]; then
        args+=(-runs=0)
        dirs=("$work/seeds")
    else
        args+=(-max_total_time="$seconds")
    fi
    [ "$dict" != "-" ] && args+=(-dict="$src/fuzz/dict/$dict.dict")
    # shellcheck disable=SC2206
    [ -n "$options" ] && args+=($options)
    local rc=0
    (cd "$work" && "$build/fuzz/$name" "${args[@]}" "${dirs[@]}") >"$work/log" 2>&1 || rc=$?
    echo "$rc" >"$work/rc"
}

ran=()
status=0
for line in "${table[@]}"; do
    IFS='|' read -r name dict globs options <<<"$line"
    selected "$name" || continue
    [ -x "$build/fuzz/$name" ] || { echo "run.sh: $build/fuzz/$name is not built" >&2; exit 2; }
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    echo "== $name (${seconds}s)"
    run_one "$name" "$dict" "$globs" "$options" &
    ran+=("$name")
done
wait

printf '%-16s %12s %8s %8s  %s\n' target executions edges corpus result
for name in "${ran[@]}"; do
    work="$build/fuzz-run/$name"
    result=clean
    if [ "$(cat "$work/rc" 2>/dev/null)" != 0 ]; then
        result="FOUND: see $work/log and $work/artifacts/"
        status=1
    fi
    execs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$work/log" | tail -n1)
    last=$(grep -E '^#[0-9]+' "$work/log" | grep 'cov:' | tail -n1 || true)
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
    corp=$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$last")
    printf '%-16s %12s %8s %8s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${corp:-?}" "$result"
done
exit $status
