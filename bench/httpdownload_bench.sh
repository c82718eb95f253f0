#!/usr/bin/env bash
# 1 GB download from the stand-in through the console's download path
# (zo_httpdownload_bench): its peak memory above the idle figure beside the
# file's size, and the longest event-loop stall while it ran; curl's time on
# the same file for reference.
#
#   bench/httpdownload_bench.sh [path/to/zo_httpdownload_bench]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_httpdownload_bench}
SIZE=1000000000

[ -x "$BIN" ] || { echo "httpdownload_bench: no program at $BIN (build target zo_httpdownload_bench)" >&2; exit 1; }

started=0
cleanup() {
  [ -n "${ZO_STANDIN_ROOT:-}" ] && rm -rf -- "$ZO_STANDIN_ROOT/zo_bench/bench1g.bin"
  if [ "$started" = 1 ]; then "$ROOT/server/standin.sh" stop; fi
}
trap cleanup EXIT

if [ -z "${ZO_STANDIN_URL:-}" ]; then
  eval "$("$ROOT/server/standin.sh" start)"
  started=1
fi

mkdir -p "$ZO_STANDIN_ROOT/zo_bench"
head -c "$SIZE" /dev/urandom > "$ZO_STANDIN_ROOT/zo_bench/bench1g.bin"

report=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" bench1g.bin zo_bench)
value() { echo "$report" | sed -n "s/^$1=//p"; }
[ "$(value bytes)" = "$SIZE" ] || { echo "httpdownload_bench: got $(value bytes) bytes, expected $SIZE" >&2; exit 1; }

start=$(date +%s%N)
curl -sS -o /dev/null "${ZO_STANDIN_URL}zobox/zo_bench/bench1g.bin"
curl_ms=$(( ($(date +%s%N) - start) / 1000000 ))

awk -v size="$(value bytes)" -v idle="$(value idle_kb)" -v peak="$(value peak_kb)" \
    -v stall="$(value stall_ms)" -v ms="$(value console_ms)" -v curl="$curl_ms" 'BEGIN {
  printf "download of %.0f MB: %d ms (curl: %d ms)\n", size / 1e6, ms, curl
  printf "peak memory %.1f MB above the idle %.1f MB (goal: under 64 MB)\n", (peak - idle) / 1024, idle / 1024
  printf "longest event-loop stall %d ms (goal: under 50 ms)\n", stall
}'
