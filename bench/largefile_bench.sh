#!/usr/bin/env bash
# 256 MiB upload through the console's large-file path (doUploadFileHttp ->
# LargeFileUpload, FTP to the stand-in's pyftpdlib) beside `curl -T` to the
# same server and folder; best of N runs each, then the ratio console / curl
# (goal <= 1.2, reported, not enforced).
#
#   bench/largefile_bench.sh [path/to/zo_largefile_bench] [runs, default 3]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_largefile_bench}
RUNS=${2:-3}
MIB=256
SIZE=$((MIB * 1024 * 1024))

[ -x "$BIN" ] || { echo "largefile_bench: no program at $BIN (build target zo_largefile_bench)" >&2; exit 1; }
command -v curl >/dev/null || { echo "largefile_bench: curl is missing" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_bigbench

file=$tmp/bench256.bin
head -c "$SIZE" /dev/urandom > "$file"
sum=$(md5sum < "$file" | cut -d' ' -f1)
mkdir -p "$ZO_STANDIN_ROOT/zo_bigbench/VIDEO"
stored=$ZO_STANDIN_ROOT/zo_bigbench/VIDEO/bench256.bin
# curl takes the credentials from a file, never from its command line.
printf 'machine %s login %s password %s\n' "$ZO_FTP_HOST" "$ZO_FTP_USER" "$ZO_FTP_PASS" > "$tmp/netrc"
chmod 600 "$tmp/netrc"
url="ftp://$ZO_FTP_HOST:$ZO_FTP_PORT/zolink/zobox/zo_bigbench/VIDEO/bench256.bin"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
check_stored() {
  [ "$(md5sum < "$stored" | cut -d' ' -f1)" = "$sum" ] || { echo "largefile_bench: $1 copy differs" >&2; exit 1; }
  rm -f -- "$stored"
}

best_console=
best_curl=
for _ in $(seq 1 "$RUNS"); do
  ms=$("$BIN" "$file" zo_bigbench VIDEO | sed -n 's/^console_ms=//p')
  check_stored console
  if [ -z "$best_console" ] || [ "$ms" -lt "$best_console" ]; then best_console=$ms; fi

  start=$(now_ms)
  curl -sS --netrc-file "$tmp/netrc" -T "$file" "$url"
  ms=$(( $(now_ms) - start ))
  check_stored curl
  if [ -z "$best_curl" ] || [ "$ms" -lt "$best_curl" ]; then best_curl=$ms; fi
done

echo "large-file upload $MIB MiB over FTP, best of $RUNS: console ${best_console} ms, curl -T ${best_curl} ms"
awk -v c="$best_console" -v u="$best_curl" \
  'BEGIN { printf "ratio console/curl: %.2f (goal <= 1.2)\n", (u > 0 ? c / u : 0) }'
