#!/usr/bin/env python3
"""Times commands against each other: runs them in turn, N rounds, so that both see the same
state of the machine, and prints, as JSON on one line per command, the median and best wall
seconds and the peak resident memory in KiB (from /usr/bin/time, which adds little of its
own). With two commands a last line gives the median of the per-round ratios first/second.

    measure.py N COMMAND [ARGS...] [--vs COMMAND [ARGS...]]
"""
import json
import statistics
import subprocess
import sys
import tempfile
import time


def run(command, rss):
    start = time.perf_counter()
    done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss.name] + command,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"{command[0]} failed with status {done.returncode}")
    rss.seek(0)
    return elapsed, int(rss.read().split()[-1])


def main():
    rounds = int(sys.argv[1])
    args = sys.argv[2:]
    commands = [args]
    if "--vs" in args:
        at = args.index("--vs")
        commands = [args[:at], args[at + 1:]]
    times = [[] for _ in commands]
    peaks = [0 for _ in commands]
    with tempfile.NamedTemporaryFile("r") as rss:
        for _ in range(rounds):
            for k, command in enumerate(commands):
                elapsed, peak = run(command, rss)
                times[k].append(elapsed)
                peaks[k] = max(peaks[k], peak)
    for k in range(len(commands)):
        print(json.dumps({"median": statistics.median(times[k]), "best": min(times[k]), "peak_kib": peaks[k]}))
    if len(commands) == 2:
        ratios = [a / b for a, b in zip(times[0], times[1])]
        print(json.dumps({"ratio": statistics.median(ratios)}))


if __name__ == "__main__":
    main()
