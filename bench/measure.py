#!/usr/bin/env python3
"""Times a command: runs it N times and prints, as JSON on one line, the median and best
wall seconds and the peak resident memory in KiB (from /usr/bin/time, which adds little of
its own).

    measure.py N COMMAND [ARGS...]
"""
import json
import statistics
import subprocess
import sys
import tempfile
import time


def main():
    runs = int(sys.argv[1])
    command = sys.argv[2:]
    times = []
    peak = 0
    with tempfile.NamedTemporaryFile("r") as rss:
        for _ in range(runs):
            start = time.perf_counter()
            done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss.name] + command,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            times.append(time.perf_counter() - start)
            if done.returncode != 0:
                sys.exit(f"{command[0]} failed with status {done.returncode}")
            rss.seek(0)
            peak = max(peak, int(rss.read().split()[-1]))
    print(json.dumps({"median": statistics.median(times), "best": min(times), "peak_kib": peak}))


if __name__ == "__main__":
    main()
