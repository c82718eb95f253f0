#!/usr/bin/env bash
# Media alignment at login: an account of 2,000 media files (1 kB to 40 kB)
# of which the work folder already holds the current half, plus one current
# 64 MB video (its checksum must not freeze the event loop). The console's
# login (zo_mediaalign_bench) beside one curl process fetching the 1,000
# missing files over one reused connection; the checksum share and the
# longest event-loop stall of the console's run (goal: none over 50 ms).
#
#   bench/mediaalign_bench.sh [path/to/zo_mediaalign_bench]
#
# Uses the running stand-in when ZO_STANDIN_URL is set, else starts one.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_mediaalign_bench}
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}
FILES=2000

[ -x "$BIN" ] || { echo "mediaalign_bench: no program at $BIN" >&2; exit 1; }
[ -x "$PARAMTOOL" ] || { echo "mediaalign_bench: no paramtool at $PARAMTOOL" >&2; exit 1; }

. "$ROOT/bench/standin-session.bash" zo_benchmedia

acc=$ZO_STANDIN_ROOT/zo_benchmedia
work=$tmp/work
mkdir -p "$acc/IMAGE" "$acc/VIDEO" "$work/IMAGE" "$work/VIDEO" "$work/TEMP" "$work/LOG"
paths=() sums=() grants=()
for i in $(seq -w 1 "$FILES"); do
  if [ $((10#$i % 2)) = 0 ]; then rel=IMAGE/p$i.png; else rel=VIDEO/v$i.mp4; fi
  head -c $(( (10#$i % 40 + 1) * 1000 )) /dev/urandom > "$acc/$rel"
  [ $((10#$i % 4)) -lt 2 ] && cp "$acc/$rel" "$work/$rel"   # the current half
  paths+=("$rel"); sums+=("$(md5sum "$acc/$rel" | cut -d' ' -f1 | tr a-f A-F)"); grants+=(ADMINISTRATEUR)
done
# One large current video: its checksum must not freeze the loop.
head -c 64000000 /dev/urandom > "$acc/VIDEO/big.mp4"
cp "$acc/VIDEO/big.mp4" "$work/VIDEO/big.mp4"
paths+=(VIDEO/big.mp4); sums+=("$(md5sum "$acc/VIDEO/big.mp4" | cut -d' ' -f1 | tr a-f A-F)"); grants+=(ADMINISTRATEUR)
join() { local IFS='|'; echo "$*"; }
param() { "$PARAMTOOL" new "$1" >/dev/null; shift_file=$1; shift; while [ $# -gt 1 ]; do "$PARAMTOOL" set "$shift_file" "$1" "$2" >/dev/null; shift 2; done; }
param "$acc/MEDIA.orvex" FILEPATH "$(join "${paths[@]}")" FILECHK "$(join "${sums[@]}")" \
  FILEPATHPERMISSION "$(join "${grants[@]}")" ID 1
param "$acc/LoginCrypt.orvex" UTILISATEUR bench MOTDEPASSE bench-pw USERLIST bench USERPASSWORD bench-pw \
  USERTYPE ADMINISTRATEUR USERPERMISSION "1111111111111111;60;20" PLAYPERMISSION Bench
param "$work/CONNEXION.txt" USERLOGIN bench PASSWORDLOGIN bench-pw

# curl: the missing half, the same URLs in one process.
config=$tmp/curl.cfg
mkdir -p "$tmp/curl"
for rel in "${paths[@]}"; do
  [ -f "$work/$rel" ] && continue
  echo "url = \"${ZO_STANDIN_URL}zobox/zo_benchmedia/$rel\""
  echo "output = \"$tmp/curl/${rel//\//_}\""
done > "$config"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
start=$(now_ms)
curl -sS --fail -K "$config"
curl_ms=$(( $(now_ms) - start ))

result=$(ZO_STANDIN_URL=$ZO_STANDIN_URL "$BIN" zo_benchmedia "$work")
get() { sed -n "s/^$1=//p" <<<"$result"; }
[ "$(get files)" = "$((FILES + 1))" ] || { echo "mediaalign_bench: $(get files) files in the work folder, expected $((FILES + 1))" >&2; exit 1; }
echo "media alignment of $FILES files (half current) and one current 64 MB video: console $(get console_ms) ms, curl (missing half) ${curl_ms} ms"
echo "checksums of all files: $(get checksum_ms) ms; longest event-loop stall: $(get stall_ms) ms (goal <= 50)"
