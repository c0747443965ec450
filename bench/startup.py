#!/usr/bin/env python3
"""What the user waits for at start-up, measured from outside: the installed program is started on a
program folder whose yesterday's and today's log files hold DATA's records, and its processor time
(user + system) and peak memory are read at the moment its first packet reaches the line (a
pseudo-terminal linked as ports/COM3). The floor is the processor time of reading and sorting the
same lines with the system's tools. Best of RUNS for each.

  bench/startup.py PROGRAM_FOLDER DATA_FOLDER [--runs N]

PROGRAM_FOLDER is an installed program folder (cmake --install); it is used as it is, with its
VimoLog/ replaced by copies of DATA_FOLDER/VimoLog's two files renamed to yesterday and today.
"""
import argparse
import datetime
import os
import pty
import resource
import select
import shutil
import signal
import subprocess
import sys


def stage_logs(program, data, with_records):
    log = os.path.join(program, "VimoLog")
    shutil.rmtree(log, ignore_errors=True)
    os.makedirs(log)
    if not with_records:
        return []
    today = datetime.date.today()
    days = sorted(f for f in os.listdir(os.path.join(data, "VimoLog")) if f.endswith(".txt"))[-2:]
    placed = []
    for name, day in zip(days, (today - datetime.timedelta(days=1), today)):
        target = os.path.join(log, "FAR-%s.txt" % day.isoformat())
        shutil.copyfile(os.path.join(data, "VimoLog", name), target)
        placed.append(target)
    return placed


def first_packet(program):
    """Processor ms and peak KiB of the program when its first byte reaches the line."""
    master, slave = pty.openpty()
    link = os.path.join(program, "ports", "COM3")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(os.ttyname(slave), link)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    child = subprocess.Popen([os.path.join(program, "pcvimo")], cwd=program, env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ready, _, _ = select.select([master], [], [], 60)
    child.send_signal(signal.SIGKILL)
    _, _, usage = os.wait4(child.pid, 0)
    os.close(master)
    os.close(slave)
    if not ready:
        sys.exit("no packet on the line within 60 s")
    return (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss


def floor_ms(files):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    quoted = " ".join("'%s'" % f for f in files)
    subprocess.run("tail -q -n +2 %s | LC_ALL=C sort -s -t$'\\t' -k1,1 > /dev/null" % quoted,
                   shell=True, check=True, executable="/bin/bash")
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime) * 1000


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("program")
    ap.add_argument("data")
    ap.add_argument("--runs", type=int, default=5)
    a = ap.parse_args()
    program = os.path.abspath(a.program)

    stage_logs(program, a.data, False)
    empty = [first_packet(program) for _ in range(a.runs)]
    files = stage_logs(program, a.data, True)
    loaded = [first_packet(program) for _ in range(a.runs)]
    floor = min(floor_ms(files) for _ in range(a.runs))
    lines = sum(sum(1 for _ in open(f, "rb")) - 1 for f in files)
    stage_logs(program, a.data, False)

    cpu = min(ms for ms, _ in loaded)
    cpu_empty = min(ms for ms, _ in empty)
    memory = (min(kib for _, kib in loaded) - min(kib for _, kib in empty)) / 1024
    print("start-up with %d records in yesterday's and today's files: %.0f ms processor to the first "
          "packet (empty folder %.0f ms); floor (tail | sort) %.0f ms; ratio %.2f (target <= 2); "
          "memory beyond the empty program %.1f MB (target <= 40)"
          % (lines, cpu, cpu_empty, floor, cpu / floor, memory))


if __name__ == "__main__":
    main()
