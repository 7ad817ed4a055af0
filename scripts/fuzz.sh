#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time, one per core at a
# time, on a copy of its committed seed corpus.
#   scripts/fuzz.sh [SECONDS [TARGET...]]     (default: 60 s, every target)
# A crash leaves its input in build/sanitize/crashes/ and makes the script fail;
# keep such inputs as regression cases in the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
cmake --preset sanitize >/dev/null
cmake --build build/sanitize -j"$(nproc)"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for exe in build/sanitize/fuzz/fuzz_*; do [[ -x "$exe" ]] && targets+=("$(basename "$exe")"); done
fi

mkdir -p build/sanitize/crashes
rm -f build/sanitize/failed

# Runs one target; its report goes to build/sanitize/TARGET.log.
run_target() {
  local target=$1 name=${1#fuzz_} work
  work=$(mktemp -d)
  [[ -d fuzz/corpus/$name ]] && cp -r "fuzz/corpus/$name/." "$work/"
  local result=0
  "build/sanitize/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="build/sanitize/crashes/$target-" -print_final_stats=1 "$work" >"build/sanitize/$target.log" 2>&1 ||
    result=1
  rm -rf "$work"
  return $result
}

# One target per core at a time.
parallel=$(nproc)
running=()
for target in "${targets[@]}"; do
  echo "== $target: ${seconds}s"
  run_target "$target" &
  running+=("$!:$target")
  if [[ ${#running[@]} -ge $parallel ]]; then
    wait "${running[0]%%:*}" || echo "${running[0]#*:}" >>build/sanitize/failed
    running=("${running[@]:1}")
  fi
done
for job in "${running[@]}"; do
  wait "${job%%:*}" || echo "${job#*:}" >>build/sanitize/failed
done

status=0
for target in "${targets[@]}"; do
  echo "$target: $(grep -E '^stat::number_of_executed_units' "build/sanitize/$target.log" || echo 'no stats')"
  if grep -qx "$target" build/sanitize/failed 2>/dev/null; then
    echo "$target FAILED; see build/sanitize/$target.log and build/sanitize/crashes/"
    tail -30 "build/sanitize/$target.log"
    status=1
  fi
done
rm -f build/sanitize/failed
exit $status
