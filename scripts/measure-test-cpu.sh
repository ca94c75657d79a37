#!/usr/bin/env bash
# Where the test run's CPU goes: runs the ctest entries (all, or those
# matching a regular expression) side by side like scripts/test.sh, each in a
# cpuacct control group of its own, so that the CPU of everything an entry
# starts (its Xvfb, wineserver, the prefix's system processes, the programs
# under test) is counted with it; the entries that share the run's one
# wineserver leave that server's CPU out. Prints wall and CPU seconds per entry, the
# most CPU first, and the totals. Needs a built tree (make build).
# Usage: scripts/measure-test-cpu.sh [-j <entries at once>] [regex]
set -euo pipefail
jobs=4
if [ "${1:-}" = -j ]; then
  jobs=$2
  shift 2
fi
groups=/sys/fs/cgroup/cpuacct
[ -w "$groups" ] || { echo "measure-test-cpu: needs a writable $groups (cgroup v1 cpuacct)" >&2; exit 1; }
source "$(dirname "$0")/wine-env.sh"
trap zx_stop_started EXIT

zx_enter_test_run

python3 - "$jobs" "$groups/zx-test-cpu.$$" "$ZX_TEST_COSTS" "${1:-}" <<'EOF'
import json, os, queue, subprocess, sys, threading, time

jobs, group_root, costs_file, regex = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
listing = ['ctest', '--show-only=json-v1'] + (['-R', regex] if regex else [])
tests = json.loads(subprocess.check_output(listing))['tests']
costs = {}
for line in open(costs_file):
    fields = line.split()
    if len(fields) == 3:
        costs[fields[0]] = float(fields[2])
# Longest first, as ctest orders them.
tests.sort(key=lambda test: -costs.get(test['name'], 0))
pending = queue.Queue()
for test in tests:
    pending.put(test)
os.mkdir(group_root)
results, lock = [], threading.Lock()

def run(test):
    name, environment = test['name'], dict(os.environ)
    for prop in test.get('properties', []):
        if prop['name'] == 'ENVIRONMENT':
            environment.update(entry.split('=', 1) for entry in prop['value'])
    group = f'{group_root}/{name}'
    os.mkdir(group)

    def join_group():
        with open(f'{group}/cgroup.procs', 'w') as procs:
            procs.write(str(os.getpid()))

    start = time.time()
    with open(os.devnull, 'w') as nowhere:
        status = subprocess.run(test['command'], env=environment, stdout=nowhere, stderr=subprocess.STDOUT,
                                preexec_fn=join_group).returncode
    wall = time.time() - start
    # What the entry left running (a wineserver ending) still counts.
    for _ in range(100):
        if not open(f'{group}/cgroup.procs').read().strip():
            break
        time.sleep(0.1)
    cpu = int(open(f'{group}/cpuacct.usage').read()) / 1e9
    os.rmdir(group)
    with lock:
        results.append((name, status, wall, cpu))
        print(f'{name}: {"passed" if status == 0 else "FAILED"}, {wall:.1f} s wall, {cpu:.1f} s CPU', flush=True)

def worker():
    while True:
        try:
            test = pending.get_nowait()
        except queue.Empty:
            return
        run(test)

start = time.time()
workers = [threading.Thread(target=worker) for _ in range(jobs)]
for thread in workers:
    thread.start()
for thread in workers:
    thread.join()
os.rmdir(group_root)
print(f'\n{len(results)} entries, {sum(1 for r in results if r[1])} failed: {time.time() - start:.1f} s wall, '
      f'{sum(r[3] for r in results):.1f} s CPU; load now {os.getloadavg()[0]:.1f}')
print('most CPU first (CPU s, wall s, entry):')
for name, _, wall, cpu in sorted(results, key=lambda r: -r[3]):
    print(f'{cpu:7.1f} {wall:7.1f}  {name}')
EOF
