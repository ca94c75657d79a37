#!/usr/bin/env bash
# Times `make test` (setup check, build, every test) and prints its wall
# time, the CPU time of everything it ran (a cpuacct control group, where the
# machine lets one be made) and the slowest tests. Target: at most 90 s with
# nothing changed. With --twice it runs two at once, which must both pass.
# Usage: scripts/measure-test-time.sh [--twice]
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
cd "$ZX_ROOT"
runs=1
[ "${1:-}" = --twice ] && runs=2

group=/sys/fs/cgroup/cpuacct/zx-test-time.$$
mkdir "$group" 2>/dev/null || group=
cleanup() { [ -n "$group" ] && rmdir "$group" 2>/dev/null; }
trap cleanup EXIT

one_run() {  # <number>
  [ -n "$group" ] && echo "$BASHPID" >"$group/cgroup.procs"
  local start=$EPOCHREALTIME status
  make test >"$ZX_ROOT/build/measure-test-time.$1.log" 2>&1
  status=$?
  printf 'run %s: %s, %s s wall\n' "$1" "$([ $status -eq 0 ] && echo passed || echo FAILED)" \
    "$(calc "$EPOCHREALTIME - $start")"
  return $status
}

calc() { awk "BEGIN { printf \"%.1f\", $1 }"; }
idle() { awk '/^cpu / { print $5 + $6 }' /proc/stat; }
idle_before=$(idle)
start=$EPOCHREALTIME
pids=()
for number in $(seq 1 "$runs"); do
  one_run "$number" &
  pids+=("$!")
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
wall=$(calc "$EPOCHREALTIME - $start")
busy=$(calc "$(nproc) * $wall - ($(idle) - $idle_before) / $(getconf CLK_TCK)")

echo "wall: $wall s"
if [ -n "$group" ]; then
  echo "CPU of the run(s): $(calc "$(cat "$group/cpuacct.usage") / 1000000000") s"
fi
echo "CPU busy on the machine meanwhile (these runs and anything else): $busy s of $(calc "$(nproc) * $wall") s"
echo "slowest tests (last run):"
grep -h '^.*Test *#[0-9]*: .* sec$' "$ZX_ROOT"/build/measure-test-time.*.log 2>/dev/null |
  sed -E 's/.*Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/' | sort -rn | head -12
exit $failed
