#!/usr/bin/env bash
# A box folder of 200 files (2 MB in all) downloaded from the stand-in: the
# console's box folder download (zo_boxfolder_bench) beside one curl process
# fetching the same listing and files over one reused connection (no
# --parallel); best of N runs each, then the ratio console / curl. Goal: 2.
#
#   bench/boxfolder_bench.sh [path/to/zo_boxfolder_bench] [runs, default 3]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_boxfolder_bench}
RUNS=${2:-3}
FILES=200
SIZE=10485

[ -x "$BIN" ] || { echo "boxfolder_bench: no program at $BIN (build target zo_boxfolder_bench)" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_benchbox

box=$ZO_STANDIN_ROOT/zo_benchbox/B200
mkdir -p "$box"
for i in $(seq -w 1 "$FILES"); do head -c "$SIZE" /dev/urandom > "$box/Slide$i.png"; done

# The same requests as the console: the listing, then each file.
config=$tmp/curl.cfg
{
  echo "url = \"${ZO_STANDIN_URL}zobox/json_Cmd.php?Cmd_Php=SCANDIR&PathScanDir=zo_benchbox/B200\""
  echo "output = \"$tmp/curl/list.json\""
  for f in "$box"/*; do
    name=$(basename "$f")
    echo "url = \"${ZO_STANDIN_URL}zobox/zo_benchbox/B200/$name\""
    echo "output = \"$tmp/curl/$name\""
  done
} > "$config"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

best_console=
best_curl=
for _ in $(seq 1 "$RUNS"); do
  result=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" zo_benchbox B200)
  ms=$(sed -n 's/^console_ms=//p' <<<"$result")
  got=$(sed -n 's/^files=//p' <<<"$result")
  [ "$got" = "$FILES" ] || { echo "boxfolder_bench: console fetched $got files, expected $FILES" >&2; exit 1; }
  if [ -z "$best_console" ] || [ "$ms" -lt "$best_console" ]; then best_console=$ms; fi

  rm -rf -- "$tmp/curl"; mkdir -p "$tmp/curl"
  start=$(now_ms)
  curl -sS --fail -K "$config"
  ms=$(( $(now_ms) - start ))
  got=$(find "$tmp/curl" -name 'Slide*' | wc -l)
  [ "$got" = "$FILES" ] || { echo "boxfolder_bench: curl fetched $got files, expected $FILES" >&2; exit 1; }
  if [ -z "$best_curl" ] || [ "$ms" -lt "$best_curl" ]; then best_curl=$ms; fi
done

echo "box folder of $FILES files ($(( FILES * SIZE / 1000 )) kB), best of $RUNS: console ${best_console} ms, curl ${best_curl} ms"
awk -v c="$best_console" -v u="$best_curl" 'BEGIN { printf "ratio console/curl: %.2f (goal <= 2)\n", (u > 0 ? c / u : 0) }'
