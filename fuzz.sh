#!/bin/sh
# Fuzzes the readers of files that arrive from outside: the journal, the
# question banks, the Aiken, Moodle XML and GIFT sources and the rich-text
# instructions.
#
#   ./fuzz.sh [SECONDS] [TARGET...]
#
# Builds the libFuzzer targets with the address and undefined-behaviour
# sanitizers in build-fuzz/ (clang), then runs each target for SECONDS
# (default 60) from its seed corpus (fuzz/corpus/TARGET) and its kept
# regression inputs (fuzz/regressions/TARGET), with the words of its
# format (fuzz/dict/TARGET.dict) where it has them. New inputs go to
# build-fuzz/corpus/TARGET, inputs that break a target to
# build-fuzz/crashes/TARGET/. Exit status 1 when any target broke.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")" && pwd)
OPLAB_BUILD=$OPLAB_ROOT/build-fuzz
. "$OPLAB_ROOT/scripts/setup.sh"

seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-journal bank aiken moodle gift rtf}

# shellcheck disable=SC2086
oplab_install $oplab_packages $oplab_fuzz_packages
cmake -S "$OPLAB_ROOT" -B "$OPLAB_BUILD" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOPLAB_FUZZ=ON -DOPLAB_SANITIZE=ON -DOPLAB_WERROR=ON -DOPLAB_BUILD_TESTS=OFF -DOPLAB_BUILD_BENCHMARKS=OFF >/dev/null
programs=""
for t in $targets; do programs="$programs fuzz_$t"; done
# shellcheck disable=SC2086
cmake --build "$OPLAB_BUILD" -j "$(nproc)" --target $programs

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
broken=""
for t in $targets; do
    corpus=$OPLAB_BUILD/corpus/$t
    crashes=$OPLAB_BUILD/crashes/$t
    mkdir -p "$corpus" "$crashes"
    echo "== fuzz_$t for $seconds s"
    set -- "$corpus" "$OPLAB_ROOT/fuzz/corpus/$t"
    [ -d "$OPLAB_ROOT/fuzz/regressions/$t" ] && set -- "$@" "$OPLAB_ROOT/fuzz/regressions/$t"
    # The words of a text format, where the target has them, guide the mutations.
    [ -f "$OPLAB_ROOT/fuzz/dict/$t.dict" ] && set -- -dict="$OPLAB_ROOT/fuzz/dict/$t.dict" "$@"
    if ! "$OPLAB_BUILD/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
        -artifact_prefix="$crashes/" -print_final_stats=1 "$@" 2>"$OPLAB_BUILD/fuzz_$t.log"; then
        broken="$broken $t"
        tail -n 60 "$OPLAB_BUILD/fuzz_$t.log"
    fi
    grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb)' "$OPLAB_BUILD/fuzz_$t.log" || true
done
if [ -n "$broken" ]; then
    echo "fuzzing broke:$broken (inputs in $OPLAB_BUILD/crashes/)" >&2
    exit 1
fi
