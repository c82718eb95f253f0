#!/usr/bin/env bash
# A screen of 50 posters with 50 MB of media deployed to two boxes of the
# stand-in: the console's box deployment (zo_deploy_bench) beside one curl
# process uploading the same files to the same folders (one reused
# connection, no --parallel); best of N runs each, then the ratio
# console / curl. Goal: 2. The console's time includes what curl does not
# do: the fetch of each box's poster list and owner record before its send
# and their two reads back after it; it leaves out the fixed half second
# between the two reads of each box (a pause no link shortens, cheap
# against a lost list).
#
#   bench/deploy_bench.sh [path/to/zo_deploy_bench] [runs, default 3]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_deploy_bench}
RUNS=${2:-3}
POSTERS=50
SIZE=1000000
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}

[ -x "$BIN" ] || { echo "deploy_bench: no program at $BIN (build target zo_deploy_bench)" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_benchdeploy

work=$tmp/work
mkdir -p "$work/DATA" "$work/TEMP" "$work/LOG"
names=
types=
for i in $(seq -w 1 "$POSTERS"); do
  head -c "$SIZE" /dev/urandom > "$work/DATA/Slide$i.png"
  names="${names:+$names|}IMAGE/Slide$i.png"
  types="${types:+$types|}IMAGE"
done
"$PARAMTOOL" new "$work/DATA/PLAYER.orvex" >/dev/null
"$PARAMTOOL" set "$work/DATA/PLAYER.orvex" SLIDETYPE "$types" >/dev/null
"$PARAMTOOL" set "$work/DATA/PLAYER.orvex" SLIDENAMEIMAGE "$names" >/dev/null
"$PARAMTOOL" new "$work/TEMP/MEDIA.orvex" >/dev/null
"$PARAMTOOL" set "$work/TEMP/MEDIA.orvex" FILEPATH "$names" >/dev/null

account=$ZO_STANDIN_ROOT/zo_benchdeploy
reset_boxes() { rm -rf -- "$account"; mkdir -p "$account/B1" "$account/B2"; }

# The same uploads as the console: each file of DATA/ into each box.
config=$tmp/curl.cfg
{
  first=1
  for b in B1 B2; do
    for f in "$work"/DATA/Slide* "$work/DATA/PLAYER.orvex"; do
      [ "$first" = 1 ] || echo "next"
      first=0
      echo "url = \"${ZO_STANDIN_URL}zobox/upload.php?Upload_Path=zo_benchdeploy/$b/\""
      echo "form = \"file=@$f\""
      echo "header = \"Expect:\""
      echo "output = /dev/null"
    done
  done
} > "$config"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
count() { find "$account" -type f | wc -l; }
expected=$(( 2 * (POSTERS + 1) ))

best_console=
best_curl=
for _ in $(seq 1 "$RUNS"); do
  reset_boxes
  ms=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" "$work" benchdeploy B1 B2 | sed -n 's/^console_ms=//p')
  [ "$(count)" = "$expected" ] || { echo "deploy_bench: console left $(count) files, expected $expected" >&2; exit 1; }
  if [ -z "$best_console" ] || [ "$ms" -lt "$best_console" ]; then best_console=$ms; fi

  reset_boxes
  start=$(now_ms)
  curl -sS --fail -K "$config"
  ms=$(( $(now_ms) - start ))
  [ "$(count)" = "$expected" ] || { echo "deploy_bench: curl left $(count) files, expected $expected" >&2; exit 1; }
  if [ -z "$best_curl" ] || [ "$ms" -lt "$best_curl" ]; then best_curl=$ms; fi
done

echo "screen of $POSTERS posters ($(( POSTERS * SIZE / 1000000 )) MB) to two boxes, best of $RUNS: console ${best_console} ms, curl ${best_curl} ms"
awk -v c="$best_console" -v u="$best_curl" 'BEGIN { printf "ratio console/curl: %.2f (goal <= 2)\n", (u > 0 ? c / u : 0) }'
