#!/usr/bin/env bash
# The console on the demo account (its groups hold two boxes) and on the
# same account grown to 1,000 more boxes in one group, in local mode: the
# longest event-loop block of the start-up, of opening the administration
# page and of "Déployer" up to the box choice, and the memory the box
# choice takes (zo_manyboxes_bench). The reference is the demo itself: the
# blocks may grow with the boxes, but none goes over 200 ms.
#
#   bench/manyboxes_bench.sh [path/to/zo_manyboxes_bench] [boxes, default 1000]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=${1:-$ROOT/build/bench/zo_manyboxes_bench}
BOXES=${2:-1000}
PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}
export PARAMTOOL

[ -x "$BIN" ] || { echo "manyboxes_bench: no program at $BIN (build target zo_manyboxes_bench)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf -- "$tmp"' EXIT

"$ROOT/tools/make-demo.sh" "$tmp/demo" >/dev/null
cp -R "$tmp/demo" "$tmp/big"
"$PARAMTOOL" set "$tmp/big/CONNEXION.txt" LOCALPATH "$tmp/big/server/zolink/zobox/" >/dev/null

# The big account: one group "Magasins" of $BOXES boxes, shown first. The
# rows are longer than a command-line argument may be at 10,000 boxes:
# they go through standard input.
account=$tmp/big/server/zolink/zobox/zo_demo
login=$account/LoginCrypt.orvex
serials=() names=()
for i in $(seq 1 "$BOXES"); do
  serials+=("$((200000 + i))")
  names+=("Magasin $i")
  cp -R "$account/10234" "$account/$((200000 + i))"
done
get() { "$PARAMTOOL" get "$login" "$1"; }
set_value() { printf '%s\n' "$2" | "$PARAMTOOL" set "$login" "$1" - >/dev/null; }
join() { local IFS=$1; shift; echo "$*"; }
set_value PLAYERLIST "$(get PLAYERLIST)|$(join '|' "${serials[@]}")"
set_value PLAYERLISTNAME "$(get PLAYERLISTNAME)|$(join '|' "${names[@]}")"
set_value PLAYERLISTTOPLAYLIST "$(get PLAYERLISTTOPLAYLIST)$(printf '|%.0s' "${serials[@]}")"
set_value CATEGORYLIST "Magasins|$(get CATEGORYLIST)"
set_value CATEGORYELEMENTS "$(join ';' "${serials[@]}")|$(get CATEGORYELEMENTS)"
set_value PLAYPERMISSION "Magasins;$(get PLAYPERMISSION)"

run() {
  local work=$1 result
  result=$(QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a -s '-screen 0 1920x1080x24' "$BIN" "$work" 2>/dev/null) \
    || { echo "manyboxes_bench: the console did not get through $work" >&2; exit 1; }
  value() { sed -n "s/^$1=//p" <<<"$result"; }
  printf '%-22s longest block: start-up %4s ms, administration page %4s ms, "Déployer" to the box choice %4s ms\n' \
    "$2" "$(value startup_block_ms)" "$(value admin_block_ms)" "$(value deploy_block_ms)"
  printf '%-22s %s screens listed, %s MB resident after start-up; the box choice of %s screens takes %s MB\n' \
    "" "$(value screens)" "$(( $(value startup_kb) / 1024 ))" "$(value deploy_choice_boxes)" "$(( $(value deploy_kb) / 1024 ))"
  printf '%-22s deploying to every screen of the group: longest block %4s ms over %s ms, the progress named a box %s times\n' \
    "" "$(value deploy_all_block_ms)" "$(value deploy_all_ms)" "$(value deploy_all_named)"
  build_ms=$(value build_ms)
}

run "$tmp/demo" "demo account"
run "$tmp/big" "grown by $BOXES boxes"
echo "goal: no block over 200 ms with $BOXES boxes, deploying to all of them included (the window itself is built beforehand in ${build_ms} ms whatever the account)"
