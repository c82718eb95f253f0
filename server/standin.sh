#!/usr/bin/env bash
# Stand-in for the service's server: php -S over the endpoint scripts and
# pyftpdlib over the same folder tree.
#
#   eval "$(server/standin.sh start)"   # starts both, prints the env to export
#   server/standin.sh stop              # stops what start started
#   server/standin.sh env               # prints the env of a running stand-in
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
    exec setsid php -d upload_max_filesize=512M -d post_max_size=512M -d memory_limit=256M \
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

case "${1:-}" in
  start) do_start ;;
  stop) do_stop ;;
  env)
    if [ -f "$STATE/env" ]; then print_env; else say "not running on port $HTTP_PORT"; exit 1; fi ;;
  *) echo "usage: $0 start|stop|env" >&2; exit 2 ;;
esac
