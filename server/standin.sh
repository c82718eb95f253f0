#!/usr/bin/env bash
# Stand-in for the service's server: php -S over the endpoint scripts and
# pyftpdlib over the same folder tree.
#
#   eval "$(server/standin.sh start)"   # starts both, prints the env to export
#   server/standin.sh stop              # stops what start started
#   server/standin.sh env               # prints the env of a running stand-in
#   server/standin.sh run SLOT CMD...   # CMD with a stand-in of its own
#
# run: the ports come from SLOT (ZO_STANDIN_HTTP_POOL + SLOT, 18200;
# ZO_STANDIN_FTP_POOL + SLOT, 2300; ten passive ports from
# ZO_STANDIN_PASSIVE_POOL + 10 * SLOT, 32000), the tree is a new temp folder,
# and the preview's outside services (ZOMANAGER_WEATHER_URL,
# ZOMANAGER_GRAPH_URL, when set) go to it too. Tests side by side then share
# no tree, request log, fault list or mail log.
#
# Input env: ZO_HTTP_PORT (18080), ZO_FTP_PORT (2121), ZO_FTP_PASSIVE
# (30000-30009), ZO_STANDIN_ROOT (the zobox tree; must end in /zolink/zobox
# so that FTP serves it as /zolink/zobox/; default: a new temp folder),
# ZO_STANDIN_WORKERS (4). Diagnostics go to stderr, the env to stdout.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
HTTP_PORT=${ZO_HTTP_PORT:-18080}
FTP_PORT=${ZO_FTP_PORT:-2121}
PASSIVE=${ZO_FTP_PASSIVE:-30000-30009}
FTP_USER=tester
FTP_PASS=secret
WORKERS=${ZO_STANDIN_WORKERS:-4}
STATE=${TMPDIR:-/tmp}/zo-standin-$HTTP_PORT

say() { echo "standin: $*" >&2; }

port_busy() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

wait_port() {
  for _ in $(seq 1 100); do
    port_busy "$1" && return 0
    sleep 0.1
  done
  return 1
}

alive() { [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; }

stop_pid() {  # $1 pid, $2 "group" to signal the whole process group
  local pid=$1
  alive "$pid" || return 0
  if [ "${2:-}" = group ]; then kill -TERM -- "-$pid" 2>/dev/null || true; else kill -TERM "$pid" 2>/dev/null || true; fi
  for _ in $(seq 1 50); do alive "$pid" || return 0; sleep 0.1; done
  if [ "${2:-}" = group ]; then kill -KILL -- "-$pid" 2>/dev/null || true; else kill -KILL "$pid" 2>/dev/null || true; fi
}

print_env() {
  # shellcheck disable=SC1091
  . "$STATE/env"
  cat "$STATE/env"
}

do_stop() {
  [ -d "$STATE" ] || return 0
  [ -f "$STATE/php.pid" ] && stop_pid "$(cat "$STATE/php.pid")" group
  [ -f "$STATE/ftp.pid" ] && stop_pid "$(cat "$STATE/ftp.pid")" group
  if [ -f "$STATE/owned-base" ]; then
    rm -rf -- "$(cat "$STATE/owned-base")"
  fi
  rm -rf -- "$STATE"
  say "stopped (HTTP port $HTTP_PORT)"
}

do_start() {
  command -v php >/dev/null || { say "php is not installed (php-cli)"; exit 1; }
  /usr/bin/python3 -c 'import pyftpdlib' 2>/dev/null || { say "pyftpdlib is missing (python3-pyftpdlib)"; exit 1; }

  if [ -n "${ZO_STANDIN_ROOT:-}" ]; then
    case "${ZO_STANDIN_ROOT%/}" in
      */zolink/zobox) ;;
      *) say "ZO_STANDIN_ROOT must end in /zolink/zobox (FTP serves it as /zolink/zobox/)"; exit 1 ;;
    esac
  fi
  # A stand-in left over from an interrupted run on these ports goes first.
  do_stop
  for port in "$HTTP_PORT" "$FTP_PORT"; do
    if port_busy "$port"; then say "port $port is already in use"; exit 1; fi
  done
  mkdir -p "$STATE"

  local tree base
  if [ -n "${ZO_STANDIN_ROOT:-}" ]; then
    tree=${ZO_STANDIN_ROOT%/}
    base=${tree%/zolink/zobox}
    mkdir -p "$tree"
  else
    base=$(mktemp -d "${TMPDIR:-/tmp}/zo-tree.XXXXXX")
    tree=$base/zolink/zobox
    mkdir -p "$tree"
    echo "$base" > "$STATE/owned-base"
  fi
  tree=$(cd "$tree" && pwd -P)
  base=$(cd "$base" && pwd -P)

  cat > "$STATE/env" <<ENV
export ZO_STANDIN_URL=http://127.0.0.1:$HTTP_PORT/
export ZO_STANDIN_ROOT=$tree
export ZO_STANDIN_LOG=$STATE/requests.log
export ZO_STANDIN_STATE=$STATE
export ZO_STANDIN_MAILS=$STATE/mails.log
export ZO_FTP_HOST=127.0.0.1
export ZO_FTP_PORT=$FTP_PORT
export ZO_FTP_USER=$FTP_USER
export ZO_FTP_PASS=$FTP_PASS
export ZO_FTP_ROOT=$base
ENV
  : > "$STATE/requests.log"

  (
    # shellcheck disable=SC1091
    . "$STATE/env"
    export PHP_CLI_SERVER_WORKERS=$WORKERS
    cd "$HERE"
    exec setsid php -d ffi.enable=1 -d upload_max_filesize=512M -d post_max_size=512M -d memory_limit=256M \
      -S "127.0.0.1:$HTTP_PORT" -t "$HERE" "$HERE/router.php" >"$STATE/php.out" 2>&1 </dev/null
  ) &
  echo $! > "$STATE/php.pid"

  setsid /usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$FTP_PORT" -u "$FTP_USER" -P "$FTP_PASS" -w \
    -d "$base" -r "$PASSIVE" >"$STATE/ftp.out" 2>&1 </dev/null &
  echo $! > "$STATE/ftp.pid"

  if ! wait_port "$HTTP_PORT"; then say "php -S did not start:"; cat "$STATE/php.out" >&2; do_stop; exit 1; fi
  if ! wait_port "$FTP_PORT"; then say "pyftpdlib did not start:"; cat "$STATE/ftp.out" >&2; do_stop; exit 1; fi
  say "HTTP on 127.0.0.1:$HTTP_PORT, FTP on 127.0.0.1:$FTP_PORT, tree $tree"
  print_env
}

do_run() {
  local slot=${1:-}
  shift || true
  case "$slot" in '' | *[!0-9]*) echo "usage: $0 run SLOT CMD..." >&2; exit 2 ;; esac
  [ $# -ge 1 ] || { echo "usage: $0 run SLOT CMD..." >&2; exit 2; }
  HTTP_PORT=$((${ZO_STANDIN_HTTP_POOL:-18200} + slot))
  FTP_PORT=$((${ZO_STANDIN_FTP_POOL:-2300} + slot))
  local first=$((${ZO_STANDIN_PASSIVE_POOL:-32000} + 10 * slot))
  PASSIVE=$first-$((first + 9))
  STATE=${TMPDIR:-/tmp}/zo-standin-$HTTP_PORT
  # A tree of its own, not the one of a stand-in started around the run.
  unset ZO_STANDIN_ROOT

  local env
  if ! env=$(do_start); then
    # The test itself says that the stand-in is missing (skip or failure).
    unset ZO_STANDIN_URL ZO_STANDIN_LOG ZO_STANDIN_STATE ZO_STANDIN_MAILS
    exec "$@"
  fi
  eval "$env"
  if [ -n "${ZOMANAGER_WEATHER_URL:-}" ]; then export ZOMANAGER_WEATHER_URL=$ZO_STANDIN_URL; fi
  if [ -n "${ZOMANAGER_GRAPH_URL:-}" ]; then export ZOMANAGER_GRAPH_URL=$ZO_STANDIN_URL; fi

  local child status=0
  "$@" &
  child=$!
  trap 'kill -TERM "$child" 2>/dev/null || true; wait "$child" || true; do_stop; exit 143' TERM INT
  wait "$child" || status=$?
  trap - TERM INT
  do_stop
  exit "$status"
}

case "${1:-}" in
  start) do_start ;;
  run) shift; do_run "$@" ;;
  stop) do_stop ;;
  env)
    if [ -f "$STATE/env" ]; then print_env; else say "not running on port $HTTP_PORT"; exit 1; fi ;;
  *) echo "usage: $0 start|stop|env|run" >&2; exit 2 ;;
esac
