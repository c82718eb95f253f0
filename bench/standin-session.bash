# Sourced by the benches that run against the stand-in server, with the
# name of their account folder:
#
#   . "$ROOT/bench/standin-session.bash" zo_benchdeploy
#
# Gives a scratch folder in $tmp and the stand-in (the running one when
# ZO_STANDIN_URL is set, else one started here); on exit the scratch
# folder and the account folder go, and a stand-in started here stops.
bench_account=$1
started=0
tmp=$(mktemp -d)
cleanup() {
  rm -rf -- "$tmp"
  [ -n "${ZO_STANDIN_ROOT:-}" ] && rm -rf -- "$ZO_STANDIN_ROOT/$bench_account"
  if [ "$started" = 1 ]; then "$ROOT/server/standin.sh" stop; fi
}
trap cleanup EXIT

if [ -z "${ZO_STANDIN_URL:-}" ]; then
  eval "$("$ROOT/server/standin.sh" start)"
  started=1
fi
