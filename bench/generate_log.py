#!/usr/bin/env python3
"""Writes a deterministic scanner log of a given size for timing `korvane report`.

    bench/generate_log.py [--profile sparse|dense] SIZE OUT     SIZE like 1M, 100M, 1G

The same profile and size always give the same bytes. The mix follows a real
log: mostly clean "OK" lines, object lines (infected, tagged or a repeat of an
earlier path), archive members with "Offending" lines, error lines, and the
statistics block at the end.

  sparse (default)  about 0.6 % of the lines are verdicts, one object line per
                    10 kB; a 1 GB log holds about 100 000 entries
  dense             about 6 % verdict lines and 1 % repeated paths, as on a
                    badly infected machine or a scan of an archive collection;
                    a 256 MB log holds about 200 000 entries
"""
import random
import sys

FOLDERS = [
    "C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32\\drivers", "C:\\Program Files\\Common Files\\Shared",
    "C:\\Documents and Settings\\Anna\\Local Settings\\Temp", "D:\\Downloads\\Setup Files", "C:\\WINDOWS\\Temp",
]
MALWARE = ["Trojan.Win32.Agent", "Backdoor.Win32.Rbot", "Worm.Win32.Netsky", "Trojan-Downloader.Win32.Small",
           "Email-Worm.Win32.Mydoom", "Trojan-Dropper.Win32.Delf"]
TOOLS = ["AdWare.Win32.BarTool", "RiskTool.Win32.Keygen", "Downloader.Win32.Helper"]


def parse_size(text):
    units = {"K": 1 << 10, "M": 1 << 20, "G": 1 << 30}
    text = text.strip().upper()
    if text[-1] in units:
        return int(float(text[:-1]) * units[text[-1]])
    return int(text)


# Upper bounds of one random roll per line: infected, tagged, repeated path,
# archive with "Offending" members, error, invalid object; the rest is clean.
PROFILES = {
    "sparse": (0.0055, 0.0065, 0.0070, 0.0072, 0.0080, 0.0083),
    "dense": (0.0380, 0.0500, 0.0600, 0.0620, 0.0700, 0.0730),
}


def main():
    args = sys.argv[1:]
    profile = "sparse"
    if len(args) == 4 and args[0] == "--profile" and args[1] in PROFILES:
        profile = args[1]
        args = args[2:]
    if len(args) != 2:
        sys.exit(__doc__)
    infected, tagged, repeated, archive, error, invalid = PROFILES[profile]
    size = parse_size(args[0])
    # The sparse profile keeps the bytes it always had for a size.
    rng = random.Random(size if profile == "sparse" else "%s-%d" % (profile, size))
    written = 0
    counter = 0
    seen = []
    header = ("eScan Command Line Virus Scanner (MWAVSCAN)\r\nVirus Database Date 2026-12-09\r\n"
              "Virus Database Count 4812655\r\n\r\nScanning memory ... OK\r\n")
    with open(args[1], "wb") as out:
        out.write(header.encode("latin-1"))
        written += len(header)
        chunk = []
        while written < size - 200:
            counter += 1
            folder = rng.choice(FOLDERS)
            name = "%s\\file%07d.%s" % (folder, counter, rng.choice(["dll", "exe", "sys", "tmp"]))
            roll = rng.random()
            if roll < infected:
                seen.append(name)
                line = 'Scanning file %s infected by "%s.%s"' % (name, rng.choice(MALWARE), rng.choice("abcdefgh"))
            elif roll < tagged:
                seen.append(name)
                line = "Scanning file %s tagged as not-a-virus: %s.%s (skipped)" % (
                    name, rng.choice(TOOLS), rng.choice("abcd"))
            elif roll < repeated and seen:
                line = 'Scanning file %s infected by "%s.x"' % (rng.choice(seen), rng.choice(MALWARE))
            elif roll < archive:
                line = ("Offending file: member%d.exe\r\nOffending file: member%d.dll\r\n"
                        'Scanning file %s.zip infected by "%s.z"' % (counter, counter, name, rng.choice(MALWARE)))
                seen.append(name + ".zip")
            elif roll < error:
                line = "Scanning file %s ERROR! Cannot open file" % name
            elif roll < invalid:
                line = "Scanning file %s invalid object" % name
            else:
                line = "Scanning file %s OK" % name
            data = line + "\r\n"
            chunk.append(data)
            written += len(data)
            if len(chunk) >= 10000:
                out.write("".join(chunk).encode("latin-1"))
                chunk = []
        footer = ("\r\nTotal Objects: %d\r\nTotal Virus(es): %d\r\nTotal Disinfected Files: 0\r\n"
                  "Total Errors: 0\r\nTime Elapsed! 00:42:00\r\n" % (counter, len(seen)))
        chunk.append(footer)
        out.write("".join(chunk).encode("latin-1"))


if __name__ == "__main__":
    main()
