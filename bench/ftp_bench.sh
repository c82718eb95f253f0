#!/usr/bin/env bash
# Uploads and downloads one large file with bench_ftp (QFtp) and with curl,
# alternating, and prints each direction's times and the ratio to curl.
#
# Server: an already running one from ZO_FTP_HOST, ZO_FTP_PORT, ZO_FTP_USER,
# ZO_FTP_PASS and ZO_FTP_ROOT, or else a pyftpdlib started here on a free port.
# BENCH_FTP: the bench_ftp binary (default: build/bin/bench_ftp).
# ZO_FTP_BENCH_MIB (default 256), ZO_FTP_BENCH_ROUNDS (default 3).
# Exit status 1 when a transfer fails or a copy differs; the ratio is
# reported, not enforced (target: at most 1.5 each way).
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
BENCH_FTP=${BENCH_FTP:-$HERE/../build/bin/bench_ftp}
MIB=${ZO_FTP_BENCH_MIB:-256}
ROUNDS=${ZO_FTP_BENCH_ROUNDS:-3}

[ -x "$BENCH_FTP" ] || { echo "ftp_bench: no bench_ftp at $BENCH_FTP (build the bench_ftp target or set BENCH_FTP)" >&2; exit 1; }
command -v curl >/dev/null || { echo "ftp_bench: curl is missing" >&2; exit 1; }

WORK=$(mktemp -d)
SERVER_PID=
cleanup() {
  if [ -n "$SERVER_PID" ]; then kill "$SERVER_PID" 2>/dev/null || true; wait "$SERVER_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

if [ -z "${ZO_FTP_HOST:-}" ]; then
  ZO_FTP_HOST=127.0.0.1
  ZO_FTP_PORT=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  ZO_FTP_USER=bench
  ZO_FTP_PASS=bench-$$
  ZO_FTP_ROOT=$WORK/root
  mkdir -p "$ZO_FTP_ROOT"
  /usr/bin/python3 -m pyftpdlib -i "$ZO_FTP_HOST" -p "$ZO_FTP_PORT" -u "$ZO_FTP_USER" -P "$ZO_FTP_PASS" -w \
    -d "$ZO_FTP_ROOT" >"$WORK/server.log" 2>&1 &
  SERVER_PID=$!
  for _ in $(seq 50); do
    (exec 3<>"/dev/tcp/$ZO_FTP_HOST/$ZO_FTP_PORT") 2>/dev/null && break
    sleep 0.1
  done
  echo "pyftpdlib on $ZO_FTP_HOST:$ZO_FTP_PORT"
fi
export ZO_FTP_HOST ZO_FTP_PORT ZO_FTP_USER ZO_FTP_PASS ZO_FTP_ROOT

# curl takes the credentials from a file, never from its command line.
printf 'machine %s login %s password %s\n' "$ZO_FTP_HOST" "$ZO_FTP_USER" "$ZO_FTP_PASS" >"$WORK/netrc"
chmod 600 "$WORK/netrc"
URL="ftp://$ZO_FTP_HOST:$ZO_FTP_PORT"
REMOTE_QFTP=zo-bench-qftp-$$.bin
REMOTE_CURL=zo-bench-curl-$$.bin

echo "making a $MIB MiB file"
head -c $((MIB * 1024 * 1024)) /dev/urandom >"$WORK/source.bin"
SUM=$(sha1sum <"$WORK/source.bin" | cut -d' ' -f1)

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
check() {
  [ "$(sha1sum <"$1" | cut -d' ' -f1)" = "$SUM" ] || { echo "ftp_bench: $2 copy differs" >&2; exit 1; }
}

declare -a QPUT QGET CPUT CGET
for r in $(seq "$ROUNDS"); do
  t0=$(now); "$BENCH_FTP" put "$WORK/source.bin" "$REMOTE_QFTP" >/dev/null; t1=$(now)
  QPUT+=("$(seconds "$t0" "$t1")")
  t0=$(now); curl -sS --netrc-file "$WORK/netrc" -T "$WORK/source.bin" "$URL/$REMOTE_CURL"; t1=$(now)
  CPUT+=("$(seconds "$t0" "$t1")")
  t0=$(now); "$BENCH_FTP" get "$WORK/qftp.bin" "$REMOTE_QFTP" >/dev/null; t1=$(now)
  QGET+=("$(seconds "$t0" "$t1")")
  t0=$(now); curl -sS --netrc-file "$WORK/netrc" -o "$WORK/curl.bin" "$URL/$REMOTE_CURL"; t1=$(now)
  CGET+=("$(seconds "$t0" "$t1")")
  check "$WORK/qftp.bin" "QFtp download"
  check "$WORK/curl.bin" "curl download"
  if [ -n "${ZO_FTP_ROOT:-}" ] && [ -f "$ZO_FTP_ROOT/$REMOTE_QFTP" ]; then check "$ZO_FTP_ROOT/$REMOTE_QFTP" "QFtp upload"; fi
  echo "round $r: put QFtp ${QPUT[-1]} s, curl ${CPUT[-1]} s | get QFtp ${QGET[-1]} s, curl ${CGET[-1]} s"
done

curl -sS --netrc-file "$WORK/netrc" -o /dev/null -Q "DELE $REMOTE_QFTP" -Q "DELE $REMOTE_CURL" "$URL/" || true

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
report() {
  local q c
  q=$(median "${@:2:$ROUNDS}")
  c=$(median "${@:$((ROUNDS + 2))}")
  awk -v d="$1" -v q="$q" -v c="$c" -v mib="$MIB" 'BEGIN {
    printf "%s: QFtp %.3f s (%.0f MiB/s), curl %.3f s (%.0f MiB/s), ratio %.2f (target <= 1.50)\n",
           d, q, mib / q, c, mib / c, q / c }'
}
echo "median of $ROUNDS rounds, $MIB MiB:"
report upload "${QPUT[@]}" "${CPUT[@]}"
report download "${QGET[@]}" "${CGET[@]}"
