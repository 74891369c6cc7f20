#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting from its seed corpus.
# Usage: run-fuzzers.sh <fuzz build folder> <seconds per target>
set -euo pipefail
build=$(cd "${1:?fuzz build folder}" && pwd)
seconds=${2:-30}
root=$(cd "$(dirname "$0")/.." && pwd)

status=0
for target in "$build"/fuzz/*_fuzz; do
    [[ -x "$target" ]] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    if [[ -d "$root/fuzz/corpus/$name" ]]; then
        cp -r "$root/fuzz/corpus/$name/." "$work/"
    fi
    echo "fuzz: $name for ${seconds}s"
    if ! (cd "$work" && "$target" -max_total_time="$seconds" -print_final_stats=0 \
            -artifact_prefix="$build/fuzz/$name-" "$work" 2>"$build/fuzz/$name.log"); then
        echo "fuzz: $name found a problem; see $build/fuzz/$name.log"
        tail -n 40 "$build/fuzz/$name.log"
        status=1
    else
        grep -E '^#[0-9]+.*DONE' "$build/fuzz/$name.log" | tail -n 1 || true
    fi
    rm -rf "$work"
done
exit $status
