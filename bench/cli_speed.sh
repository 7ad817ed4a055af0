#!/bin/bash
# The command-line tool against the speed of the disk: times `show`, `save`
# and `pool` on one big word list with hyperfine and prints each one's user
# CPU time beside that of `iconv -f cp932 -t utf-8` on the same file, which
# reads and converts the same bytes and keeps nothing. Targets at 1,000,000
# rows: show within 2x and save within 2.5x of iconv, pool within 1.2x of
# save.
#
#   bench/cli_speed.sh CLI [WORD LIST]
#   bench/cli_speed.sh --wine CLI.exe [WORD LIST]   (after . scripts/wine-env.sh)
#
# The word list defaults to bench/data/words-1m.txt: made here, when missing,
# from bench/data/words-ipadic.txt (bench/generate_data.py --lines 1000000)
# repeated to 1,000,000 lines with CR LF, as the window benchmark reads it.
# Needs hyperfine, iconv and python3. The outputs go to a temporary folder.
set -euo pipefail

wine=()
if [ "${1:-}" = --wine ]; then
  wine=(wine)
  shift
fi
if [ $# -lt 1 ]; then
  echo "usage: $0 [--wine] CLI [WORD LIST]" >&2
  exit 2
fi
cli=$1
data=$(cd "$(dirname "$0")" && pwd)/data
list=${2:-$data/words-1m.txt}
if [ ! -f "$list" ]; then
  if [ ! -f "$data/words-ipadic.txt" ]; then
    echo "$0: no $data/words-ipadic.txt: run bench/generate_data.py --lines 1000000 first" >&2
    exit 1
  fi
  python3 - "$data/words-ipadic.txt" "$list" <<'EOF'
import sys
lines = open(sys.argv[1], "rb").read().splitlines()
with open(sys.argv[2], "wb") as out:
    out.writelines(lines[i % len(lines)] + b"\r\n" for i in range(1000000))
EOF
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The commands leave out rows a format cannot hold and then exit 1: that is
# part of the work timed, not a failure.
hyperfine -N --warmup 1 --runs "${RUNS:-5}" --ignore-failure --output=null --export-json "$out/times.json" \
  -n iconv "iconv -f cp932 -t utf-8 $list" \
  -n show "${wine[*]} $cli show $list" \
  -n save "${wine[*]} $cli save -o $out/list.txt $list" \
  -n pool "${wine[*]} $cli pool -o $out/list.ppl $list" >&2

python3 - "$out/times.json" "$list" <<'EOF'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
user = {name: r["user"] for name, r in runs.items()}
wall = {name: r["mean"] for name, r in runs.items()}
print(f"{sys.argv[2]}: user CPU (wall clock), mean of the runs")
for name in ("iconv", "show", "save", "pool"):
    print(f"  {name:6} {user[name]:6.3f} s ({wall[name]:.3f} s)")
print(f"  show / iconv {user['show'] / user['iconv']:5.2f}  (target 2)")
print(f"  save / iconv {user['save'] / user['iconv']:5.2f}  (target 2.5)")
print(f"  pool / save  {user['pool'] / user['save']:5.2f}  (target 1.2)")
EOF
