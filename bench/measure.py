#!/usr/bin/env python3
"""Times a command: runs it N times and prints the median and best wall seconds and the
peak resident memory (KiB) of the runs, as JSON on one line.

    measure.py N COMMAND [ARGS...]
"""
import json
import os
import statistics
import subprocess
import sys
import time


def main():
    runs = int(sys.argv[1])
    command = sys.argv[2:]
    times = []
    peak = 0
    for _ in range(runs):
        start = time.perf_counter()
        proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        times.append(time.perf_counter() - start)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{command[0]} failed with status {os.waitstatus_to_exitcode(status)}")
        peak = max(peak, usage.ru_maxrss)
    print(json.dumps({"median": statistics.median(times), "best": min(times), "peak_kib": peak}))


if __name__ == "__main__":
    main()
