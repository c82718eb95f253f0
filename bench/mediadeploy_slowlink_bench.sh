#!/usr/bin/env bash
# A media deployment of 5,000 pictures just imported (indexed and journalled
# here, not yet on the server) on a link where every request waits 20 ms at
# the stand-in (its `delay` fault on every route): the console's whole run
# beside the round trips' floor (requests x 20 ms), and the longest block
# of its event loop. Goals: 1.3 x the floor; no block over 200 ms.
#
#   bench/mediadeploy_slowlink_bench.sh [path/to/zo_mediadeploy_bench] [pictures, default 5000] [ms, default 20]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
#
# Measured (8 cores shared with other builds): 5,006 requests, console
# 122.2 s against a floor of 100.1 s, ratio 1.22; longest event-loop block
# 72.8 ms. The index and journal writes of the run still happen on the
# event loop's thread: written in one pass each, they stay under the goal.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_mediadeploy_bench}
PICTURES=${2:-5000}
DELAY=${3:-20}
SIZE=10000
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}

[ -x "$BIN" ] || { echo "mediadeploy_slowlink_bench: no program at $BIN (build target zo_mediadeploy_bench)" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_benchslow

work=$tmp/work
mkdir -p "$work/IMAGE" "$work/TEMP" "$work/LOG"
for i in $(seq -w 1 "$PICTURES"); do head -c "$SIZE" /dev/urandom > "$work/IMAGE/photo-$i.jpg"; done
# This console's index and the server's: the account holds none of them yet.
"$PARAMTOOL" new "$work/TEMP/MEDIA.orvex" >/dev/null
"$PARAMTOOL" set "$work/TEMP/MEDIA.orvex" ID 1 >/dev/null
account=$ZO_STANDIN_ROOT/zo_benchslow
rm -rf -- "$account"
mkdir -p "$account/IMAGE"
cp "$work/TEMP/MEDIA.orvex" "$account/MEDIA.orvex"

curl -sS --fail -o /dev/null "${ZO_STANDIN_URL}_standin/fault?path=&kind=delay&count=1000000&ms=$DELAY"
before=$(wc -l < "${ZO_STANDIN_LOG:-/dev/null}" 2>/dev/null || echo 0)
out=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" "$work" benchslow --journal)
after=$(wc -l < "${ZO_STANDIN_LOG:-/dev/null}" 2>/dev/null || echo 0)
curl -sS --fail -o /dev/null "${ZO_STANDIN_URL}_standin/reset"

sent=$(find "$account/IMAGE" -type f | wc -l)
[ "$sent" = "$PICTURES" ] || { echo "mediadeploy_slowlink_bench: console left $sent pictures, expected $PICTURES" >&2; exit 1; }
ms=$(echo "$out" | sed -n 's/^console_ms=//p')
stall=$(echo "$out" | sed -n 's/^stall_ms=//p')
requests=$(( after - before ))
[ "$requests" -gt 0 ] || requests=$(( PICTURES + 5 ))
awk -v c="$ms" -v s="$stall" -v q="$requests" -v d="$DELAY" -v n="$PICTURES" 'BEGIN {
  f = q * d
  printf "media deployment of %d pictures just imported, %d ms per request: %d requests, console %d ms, floor %d ms\n", n, d, q, c, f
  printf "ratio console/floor: %.2f (goal <= 1.3)\n", (f > 0 ? c / f : 0)
  printf "longest event-loop block: %.1f ms (goal <= 200 ms)\n", s }'
