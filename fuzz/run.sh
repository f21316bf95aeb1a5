#!/usr/bin/env bash
# Runs fuzz targets on their corpora for a while:
#   fuzz/run.sh BUILD SECONDS [TARGET...]      (targets: ilbm shape oob ini; default all)
# BUILD is the fuzz build folder, with the seed corpora in BUILD/corpus (see
# make-corpus.sh). New inputs go to BUILD/found/TARGET, a crashing input to
# BUILD/crashes/TARGET-*; a crash fails the run.
set -euo pipefail
build=$1
seconds=$2
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ilbm shape oob ini)
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$build/crashes"
for t in "${targets[@]}"; do
    mkdir -p "$build/found/$t" "$build/corpus/$t"
    dict=()
    [ -f "$here/$t.dict" ] && dict=(-dict="$here/$t.dict")
    echo "== fuzzing $t for $seconds s"
    "$build/${t}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$t-" "${dict[@]}" "$build/found/$t" "$build/corpus/$t" 2>"$build/$t.log" || {
        tail -n 60 "$build/$t.log"
        echo "fuzz target $t failed: see $build/$t.log and $build/crashes/" >&2
        exit 1
    }
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$t.log" || true
done
