#!/usr/bin/env python3
"""Times `korvane report` and `korvane entries` against `grep -c -i infected`.

    bench/time_report.py [--runs N] [SIZE ...]     default sizes: 10M 256M
    KORVANE=path/to/korvane bench/time_report.py 1G

Logs of both profiles (sparse and dense, see bench/generate_log.py) are
generated once into bench/logs/. Each command runs N times (default 5) on a
file in the page cache; the table shows the median wall times, each korvane
time as a multiple of grep's, and korvane's peak memory (the most of its runs)
as a multiple of the file size. grep writes its count to a file, as korvane
does: on /dev/null GNU grep stops at the first match.

Targets: both profiles within 3 x grep (1.5 x is the moonshot), peak memory at
most 0.5 x the file on the dense profile. Run it on demand; it is not a test.
On a shared machine the medians of several runs are what to quote.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
PROFILES = ["sparse", "dense"]


def timed(command):
    """Wall time and peak resident memory (bytes) of one run; output goes to a file."""
    with tempfile.TemporaryFile() as sink:
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=sink, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit("failed: %s" % " ".join(command))
    return elapsed, usage.ru_maxrss * 1024


def measure(command, runs):
    """Median wall time and the highest peak memory of several runs."""
    results = [timed(command) for _ in range(runs)]
    return statistics.median(r[0] for r in results), max(r[1] for r in results)


def log_file(profile, size):
    log = os.path.join(HERE, "logs", "mwav-%s-%s.log" % (profile, size))
    if not os.path.exists(log):
        subprocess.run([sys.executable, os.path.join(HERE, "generate_log.py"), "--profile", profile, size, log],
                       check=True)
    return log


def main():
    args = sys.argv[1:]
    runs = 5
    if len(args) >= 2 and args[0] == "--runs":
        runs = int(args[1])
        args = args[2:]
    korvane = os.environ.get("KORVANE", os.path.join(ROOT, "build", "release", "korvane"))
    if not os.path.exists(korvane):
        sys.exit("no %s: build it with scripts/run --version, or set KORVANE" % korvane)
    sizes = args or ["10M", "256M"]
    os.makedirs(os.path.join(HERE, "logs"), exist_ok=True)
    print("median of %d runs each" % runs)
    print("%-7s %5s %8s %9s %6s %9s %6s %8s %8s" % ("profile", "size", "grep s", "report s", "ratio",
                                                       "entries s", "ratio", "rep mem", "ent mem"))
    for size in sizes:
        for profile in PROFILES:
            log = log_file(profile, size)
            file_size = os.path.getsize(log)
            # One warm-up read so every run finds the file in the page cache.
            timed(["cat", log])
            g_time, _ = measure(["grep", "-c", "-i", "infected", log], runs)
            r_time, r_memory = measure([korvane, "report", "--language", "en", log], runs)
            e_time, e_memory = measure([korvane, "entries", log], runs)
            print("%-7s %5s %8.3f %9.3f %6.2f %9.3f %6.2f %7.2fx %7.2fx" % (
                profile, size, g_time, r_time, r_time / g_time, e_time, e_time / g_time, r_memory / file_size,
                e_memory / file_size))


if __name__ == "__main__":
    main()
