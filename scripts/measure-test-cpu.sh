#!/usr/bin/env bash
# Where the test run's CPU goes: runs the ctest entries (all, or those
# matching a regular expression) side by side like scripts/test.sh, each in a
# cpuacct control group of its own, so that the CPU of everything an entry
# starts (its Xvfb, wineserver, the prefix's system processes, the programs
# under test) is counted with it; the entries that share the run's one
# wineserver leave that server's CPU out. Prints wall and CPU seconds per entry, the
# most CPU first, and the totals, with how many Zendrix.exe processes and how
# many wineservers (prefix starts) each entry started (sampled every 20 ms: a
# program that ends sooner may be missed). Needs a built tree (make build).
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
shared = f'{group_root}/shared'
os.mkdir(shared)
results, lock = [], threading.Lock()

def move_processes(source, target):
    """Moves what still runs in cgroup `source` into cgroup `target`."""
    for pid in open(f'{source}/cgroup.procs').read().split():
        try:
            with open(f'{target}/cgroup.procs', 'w') as procs:
                procs.write(pid)
        except OSError:
            pass  # it ended meanwhile

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
    counted, lasting, running = {}, {}, threading.Event()
    sampler = threading.Thread(target=count_starts, args=(group, counted, lasting, running))
    running.set()
    sampler.start()
    with open(os.devnull, 'w') as nowhere:
        status = subprocess.run(test['command'], env=environment, stdout=nowhere, stderr=subprocess.STDOUT,
                                preexec_fn=join_group).returncode
    wall = time.time() - start
    running.clear()
    sampler.join()
    programs = sum(1 for kind in counted.values() if kind == 'program')
    servers = sum(1 for first, last in lasting.values() if last - first > 1)
    # What the entry left ending (a wineserver) still counts.
    for _ in range(20):
        if not open(f'{group}/cgroup.procs').read().strip():
            break
        time.sleep(0.1)
    cpu = int(open(f'{group}/cpuacct.usage').read()) / 1e9
    # What still runs after that (a prefix slot that the next entries use,
    # a server the run shares) is counted apart from here on.
    move_processes(group, shared)
    os.rmdir(group)
    with lock:
        results.append((name, status, wall, cpu, programs, servers))
        print(f'{name}: {"passed" if status == 0 else "FAILED"}, {wall:.1f} s wall, {cpu:.1f} s CPU, '
              f'{programs} program starts, {servers} prefix starts', flush=True)

# Each process of the group is looked at until it shows what it runs (a new
# process first carries its parent's command line, until its exec).
# A server counts once it has run a second: starting one forks it into the
# background, and the short-lived parent is not a server of its own.
def count_starts(group, counted, lasting, running):
    while running.is_set():
        now = time.time()
        try:
            pids = open(f'{group}/cgroup.procs').read().split()
        except OSError:
            pids = []
        for pid in pids:
            if counted.get(pid) == 'server':
                lasting[pid] = (lasting[pid][0], now)
            if counted.get(pid):
                continue
            try:
                line = open(f'/proc/{pid}/cmdline', 'rb').read().replace(b'\0', b' ').lower()
            except OSError:
                continue
            if b'zendrix.exe' in line:
                counted[pid] = 'program'
            elif b'wineserver' in line.split(b' ')[0] and b' -k' not in line and b' -w' not in line:
                counted[pid] = 'server'  # not the commands that end one or wait for its end
                lasting[pid] = (now, now)
            else:
                counted.setdefault(pid, '')
        time.sleep(0.02)


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
wall = time.time() - start
# The prefix slots end with the run (scripts/wine-env.sh, zx_stop_started):
# their CPU so far is that of the processes kept from one entry to the next.
shared_cpu = int(open(f'{shared}/cpuacct.usage').read()) / 1e9
move_processes(shared, os.path.dirname(group_root))
os.rmdir(shared)
os.rmdir(group_root)
print(f'\n{len(results)} entries, {sum(1 for r in results if r[1])} failed: {wall:.1f} s wall, '
      f'{sum(r[3] for r in results) + shared_cpu:.1f} s CPU (of which {shared_cpu:.1f} s after their entries, '
      f'in what the entries hand on), {sum(r[4] for r in results)} program starts, '
      f'{sum(r[5] for r in results)} prefix starts; load now {os.getloadavg()[0]:.1f}')
print('most CPU first (CPU s, wall s, program starts, prefix starts, entry):')
for name, _, wall, cpu, programs, servers in sorted(results, key=lambda r: -r[3]):
    print(f'{cpu:7.1f} {wall:7.1f} {programs:4d} {servers:4d}  {name}')
EOF
