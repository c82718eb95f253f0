#!/usr/bin/env bash
# A media deployment of 1,000 pictures (100 kB each) to the stand-in: the
# console's media deployment (zo_mediadeploy_bench: the uploads, then the
# media index fetched, sent and read back twice) beside one curl process
# making the same requests (one reused connection, no --parallel); best of
# N runs each, as time per file, then the ratio console / curl. Goal: 2.
# The console's time leaves out the pause between its two reads of the
# index (a wait no link makes shorter), as the box deployment bench does.
#
#   bench/mediadeploy_bench.sh [path/to/zo_mediadeploy_bench] [runs, default 2] [pictures, default 1000]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_mediadeploy_bench}
RUNS=${2:-2}
PICTURES=${3:-1000}
SIZE=100000
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}

[ -x "$BIN" ] || { echo "mediadeploy_bench: no program at $BIN (build target zo_mediadeploy_bench)" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_benchmedia

work=$tmp/work
mkdir -p "$work/IMAGE" "$work/TEMP" "$work/LOG"
for i in $(seq -w 1 "$PICTURES"); do head -c "$SIZE" /dev/urandom > "$work/IMAGE/photo-$i.jpg"; done
# The index of an account that already lists these pictures: a value far
# longer than a command-line argument, so it goes through standard input.
index=$tmp/MEDIA.orvex
"$PARAMTOOL" new "$index" >/dev/null
(cd "$work" && ls IMAGE/* | paste -sd'|') | "$PARAMTOOL" set "$index" ID 1 FILEPATH - >/dev/null

account=$ZO_STANDIN_ROOT/zo_benchmedia
reset_account() { rm -rf -- "$account"; mkdir -p "$account/IMAGE"; cp "$index" "$account/MEDIA.orvex"; }

# The same requests as the console: the index fetched, each picture, the
# index sent, then read back twice.
config=$tmp/curl.cfg
fetch_index() {
  echo "url = \"${ZO_STANDIN_URL}zobox/zo_benchmedia/MEDIA.orvex\""
  echo "output = /dev/null"
}
{
  fetch_index
  echo "next"
  for f in "$work"/IMAGE/*; do
    echo "url = \"${ZO_STANDIN_URL}zobox/upload.php?Upload_Path=zo_benchmedia/IMAGE/\""
    echo "form = \"file=@$f\""
    echo "header = \"Expect:\""
    echo "output = /dev/null"
    echo "next"
  done
  echo "url = \"${ZO_STANDIN_URL}zobox/upload.php?Upload_Path=zo_benchmedia/\""
  echo "form = \"file=@$index\""
  echo "header = \"Expect:\""
  echo "output = /dev/null"
  echo "next"
  fetch_index
  echo "next"
  fetch_index
} > "$config"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
count() { find "$account/IMAGE" -type f | wc -l; }

best_console=
best_curl=
for _ in $(seq 1 "$RUNS"); do
  reset_account
  ms=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" "$work" benchmedia | sed -n 's/^console_ms=//p')
  [ "$(count)" = "$PICTURES" ] || { echo "mediadeploy_bench: console left $(count) pictures, expected $PICTURES" >&2; exit 1; }
  if [ -z "$best_console" ] || [ "$ms" -lt "$best_console" ]; then best_console=$ms; fi

  reset_account
  rm -f -- "$account"/IMAGE/*
  start=$(now_ms)
  curl -sS --fail -K "$config"
  ms=$(( $(now_ms) - start ))
  [ "$(count)" = "$PICTURES" ] || { echo "mediadeploy_bench: curl left $(count) pictures, expected $PICTURES" >&2; exit 1; }
  if [ -z "$best_curl" ] || [ "$ms" -lt "$best_curl" ]; then best_curl=$ms; fi
done

awk -v c="$best_console" -v u="$best_curl" -v n="$PICTURES" -v r="$RUNS" 'BEGIN {
  printf "media deployment of %d pictures, best of %d: console %.1f ms per file (%d ms), curl %.1f ms per file (%d ms)\n", n, r, c / n, c, u / n, u
  printf "ratio console/curl: %.2f (goal <= 2)\n", (u > 0 ? c / u : 0) }'
