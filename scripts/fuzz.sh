#!/usr/bin/env bash
# Runs every fuzz harness of build/fuzz for the given number of seconds (default 30), as many
# at a time as there are cores, each on a fresh scratch copy of its seed corpus. Fails when one
# finds a crash, leak, timeout or runaway allocation; the input that did it is kept as
# build/fuzz/artifacts/<harness>-*. Build first with the fuzz configuration of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
out=build/fuzz
# Each harness with the dictionary of its input format and the largest input it is given: maps
# with custom art run to hundreds of kilobytes, and damage deep inside them must be reachable.
harnesses=(map_file:map_file:1048576 dib_image:bmp:262144 terrain_table:terrain_table:65536
  bitmap_interchange:bmp:262144)

rm -rf "$out/corpus" "$out/artifacts" "$out/tmp" "$out/failed"
mkdir -p "$out/corpus" "$out/artifacts" "$out/tmp"
export TMPDIR=$PWD/$out/tmp  # the harnesses' scratch files, left behind by a crash
export UBSAN_OPTIONS=print_stacktrace=1

run() {
  local name dictionary max_len
  IFS=: read -r name dictionary max_len <<<"$1"
  cp -r "$out/fuzz/seeds/$name" "$out/corpus/$name"
  # Scaling by execution time keeps the slow custom art maps from eating the run.
  "$out/bin/${name}_fuzzer" "$out/corpus/$name" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len="$max_len" -entropic_scale_per_exec_time=1 -print_final_stats=1 \
    -dict="fuzz/$dictionary.dict" -artifact_prefix="$out/artifacts/$name-" \
    >"$out/$name.log" 2>&1 || echo "$name" >>"$out/failed"
}

for harness in "${harnesses[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
    wait -n || true
  done
  run "$harness" &
done
wait

for harness in "${harnesses[@]}"; do
  name=${harness%%:*}
  echo "$name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/$name.log" | tail -1)"
done
if [ -s "$out/failed" ]; then
  for name in $(cat "$out/failed"); do
    echo "== $name failed; the end of $out/$name.log: =="
    tail -n 60 "$out/$name.log"
  done
  exit 1
fi
