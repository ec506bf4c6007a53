#!/usr/bin/env python3
"""Times `korvane report` against `grep -c -i infected` on the same log.

    bench/time_report.py [SIZE ...]       default sizes: 1M 10M 100M
    KORVANE=path/to/korvane bench/time_report.py 1G

Logs are generated once into bench/logs/ (bench/generate_log.py). For each
size it prints both wall times, their ratio and korvane's peak memory as a
multiple of the file size. Targets for a 1 GB log: ratio <= 3, memory < 3x.
Run it on demand; it is not part of the tests.
"""
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def timed(command):
    """Wall time and peak resident memory (bytes) of one run; output is thrown away."""
    start = time.perf_counter()
    # Not /dev/null: grep notices it and stops at the first match.
    with tempfile.TemporaryFile() as sink:
        child = subprocess.Popen(command, stdout=sink, stderr=sink)
        _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit("failed: %s" % " ".join(command))
    return elapsed, usage.ru_maxrss * 1024


def main():
    korvane = os.environ.get("KORVANE", os.path.join(ROOT, "build", "release", "korvane"))
    if not os.path.exists(korvane):
        sys.exit("no %s: build it with scripts/run --version, or set KORVANE" % korvane)
    sizes = sys.argv[1:] or ["1M", "10M", "100M"]
    os.makedirs(os.path.join(HERE, "logs"), exist_ok=True)
    print("%6s %10s %10s %7s %9s" % ("size", "korvane s", "grep s", "ratio", "memory"))
    for size in sizes:
        log = os.path.join(HERE, "logs", "mwav-%s.log" % size)
        if not os.path.exists(log):
            subprocess.run([sys.executable, os.path.join(HERE, "generate_log.py"), size, log], check=True)
        # One warm-up read so both runs find the file in the page cache.
        timed(["cat", log])
        k_time, k_memory = min(timed([korvane, "report", "--language", "en", log]) for _ in range(3))
        g_time, _ = min(timed(["grep", "-c", "-i", "infected", log]) for _ in range(3))
        file_size = os.path.getsize(log)
        print("%6s %10.3f %10.3f %7.2f %8.2fx" % (size, k_time, g_time, k_time / g_time, k_memory / file_size))


if __name__ == "__main__":
    main()
