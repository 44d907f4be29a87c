# Shared by the bench scripts (sourced): wall-clock seconds of one command,
# and the median of numbers given one per line.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# The peer solver (a Debian package, a stopwatch only) and our CLI, both
# made ready before anything is timed.
need_qqwing_and_cli() {
  if ! command -v qqwing >/dev/null; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends qqwing
  fi
  cli=$root/build/default/numplace-cli
  [ -x "$cli" ] || scripts/setup.sh default >/dev/null
}
