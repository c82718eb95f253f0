#!/usr/bin/env bash
# 120 MB multipart upload to the stand-in's upload.php: the console's upload
# path (zo_http_bench) beside `curl -F` to the same endpoint; best of N runs
# each, then the ratio console / curl.
#
#   bench/http_bench.sh [path/to/zo_http_bench] [runs, default 3]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bin/zo_http_bench}
RUNS=${2:-3}
SIZE=120000000

[ -x "$BIN" ] || { echo "http_bench: no program at $BIN (build target zo_http_bench)" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_bench

file=$tmp/bench120.bin
head -c "$SIZE" /dev/urandom > "$file"
mkdir -p "$ZO_STANDIN_ROOT/zo_bench"
stored=$ZO_STANDIN_ROOT/zo_bench/bench120.bin

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

check_stored() {
  local size
  size=$(stat -c %s "$stored" 2>/dev/null || echo 0)
  [ "$size" = "$SIZE" ] || { echo "http_bench: $1 stored $size bytes, expected $SIZE" >&2; exit 1; }
  rm -f -- "$stored"
}

best_console=
best_curl=
for _ in $(seq 1 "$RUNS"); do
  ms=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" "$file" zo_bench | sed -n 's/^console_ms=//p')
  check_stored console
  if [ -z "$best_console" ] || [ "$ms" -lt "$best_console" ]; then best_console=$ms; fi

  start=$(now_ms)
  code=$(curl -sS -o /dev/null -w '%{http_code}' -H 'Expect:' -F "file=@$file" \
    "${ZO_STANDIN_URL}zobox/upload.php?Upload_Path=zo_bench/")
  ms=$(( $(now_ms) - start ))
  [ "$code" = 200 ] || { echo "http_bench: curl got HTTP $code" >&2; exit 1; }
  check_stored curl
  if [ -z "$best_curl" ] || [ "$ms" -lt "$best_curl" ]; then best_curl=$ms; fi
done

echo "http upload 120 MB, best of $RUNS: console ${best_console} ms, curl ${best_curl} ms"
awk -v c="$best_console" -v u="$best_curl" 'BEGIN { printf "ratio console/curl: %.2f\n", (u > 0 ? c / u : 0) }'
