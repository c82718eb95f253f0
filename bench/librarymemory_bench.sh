#!/usr/bin/env bash
# Memory per library picture from login on: the console (zo_librarymemory_bench)
# logged in, in local mode, on the demo account with N pictures of 1920x1080
# added to its library, against the same account without them; the
# difference of resident size over N, after the login (media page not
# opened) and after the media page opened. Goal: under 10 kB per picture
# (a decoded icon kept per file weighed ~77 kB).
#
#   bench/librarymemory_bench.sh [path/to/zo_librarymemory_bench] [N]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_librarymemory_bench}
N=${2:-2000}
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}
CACHE=$ROOT/build/bench/media-pictures

[ -x "$BIN" ] || { echo "librarymemory_bench: no program at $BIN" >&2; exit 1; }
[ -x "$PARAMTOOL" ] || { echo "librarymemory_bench: no paramtool at $PARAMTOOL" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf -- "$tmp"' EXIT
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_GSTREAMER_PLAYBIN_AUDIOSINK=fakesink
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$XDG_RUNTIME_DIR"

run() { # folder pictures
  PARAMTOOL=$PARAMTOOL "$ROOT/tools/make-demo.sh" "$1" >/dev/null
  "$BIN" "$1" "$2" "$CACHE" 2>/dev/null
}
"$BIN" --draw "$N" "$CACHE" 2>/dev/null
none=$(run "$tmp/none" 0)
many=$(run "$tmp/many" "$N")
field() { printf '%s\n' "$1" | sed -n "s/^$2=//p"; }

echo "console logged in on the demo account, $(field "$many" listed) pictures listed against $(field "$none" listed)"
awk -v n="$N" -v l0="$(field "$none" login_kb)" -v l1="$(field "$many" login_kb)" \
    -v p0="$(field "$none" page_kb)" -v p1="$(field "$many" page_kb)" 'BEGIN {
  login = (l1 - l0) / n; page = (p1 - p0) / n
  printf "  after login (page not opened)  %7.1f kB per picture  (goal: under 10 kB; was ~77 kB) %s\n", login, login < 10 ? "ok" : "OVER"
  printf "  after the media page opened    %7.1f kB per picture  (goal: under 10 kB) %s\n", page, page < 10 ? "ok" : "OVER"
  printf "  resident: %d MB with %d pictures, %d MB without\n", p1 / 1024, n, p0 / 1024
}'
