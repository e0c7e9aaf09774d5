#!/usr/bin/env bash
# Runs one libFuzzer target for a given time:  cmake/run-fuzzer.sh <build dir> <target> <seconds>
# The seeds are fuzz/<target>/corpus; what the run learns goes to <build dir>/corpus/<target>,
# so a later run goes on from there. A crash, leak, hang or failed property is kept in
# <build dir>/artifacts/<target>/ and fails the run.
set -euo pipefail
dir=$1 target=$2 seconds=$3
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dir/corpus/$target" "$dir/artifacts/$target"
log=$dir/fuzz_$target.log
args=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1
      -artifact_prefix="$dir/artifacts/$target/")
if [[ -f $root/fuzz/$target/dict ]]; then args+=(-dict="$root/fuzz/$target/dict"); fi
# fuzz/<target>/options: further libFuzzer flags of that target, one a line.
if [[ -f $root/fuzz/$target/options ]]; then
  while read -r flag; do [[ -n $flag ]] && args+=("$flag"); done <"$root/fuzz/$target/options"
fi
echo "== fuzz_$target, $seconds s"
if ! "$dir/bin/fuzz_$target" "${args[@]}" "$dir/corpus/$target" "$root/fuzz/$target/corpus" \
     >"$log" 2>&1; then
  tail -n 60 "$log"
  echo "fuzz_$target found a fault; the input is in $dir/artifacts/$target/" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
echo "   $runs runs, $rate per second, corpus $(ls "$dir/corpus/$target" | wc -l) inputs"
