#!/usr/bin/env python3
"""Runs the soak twice with the same settings, first with the exchange folder in /dev/shm and then on
a network share (the simulator writes into the exported folder, the display polls the mount), and
prints the two reports as one table, side by side.

Usage: soak-share.py --soak PATH --minutes M --lanes N --share SERVER:CLIENT --out-dir DIR

Each run's full output is kept in DIR (soak-shm.txt, soak-share.txt) and the table in
DIR/summary.md. Exit code 0 when both runs passed."""

import argparse
import os
import re
import subprocess
import sys


def run(label, cmd, out_dir):
    print("+ " + " ".join(cmd), flush=True)
    lines = []
    with subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True) as p:
        for line in p.stdout:
            print(line, end="", flush=True)
            lines.append(line)
    with open(os.path.join(out_dir, "soak-%s.txt" % label), "w") as f:
        f.writelines(lines)
    return p.returncode, lines


def report(lines):
    """The report's lines as an ordered list of (what, value)."""
    rows = []
    inside = False
    for line in lines:
        if line.strip() == "soak report":
            inside = True
            continue
        m = re.match(r"^(\S.{21}) (.*)$", line.rstrip("\n"))
        if inside and m:
            rows.append((m.group(1).strip(), m.group(2).strip()))
    return rows


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--soak", required=True)
    p.add_argument("--minutes", default="2")
    p.add_argument("--lanes", default="64")
    p.add_argument("--share", required=True)
    p.add_argument("--out-dir", required=True)
    args = p.parse_args()
    os.makedirs(args.out_dir, exist_ok=True)
    server, client = args.share.split(":", 1)

    common = [args.soak, "--minutes", args.minutes, "--lanes", args.lanes]
    runs = [("shm", common), ("share", common + ["--share-server", server, "--share-client", client])]
    results = []
    for label, cmd in runs:
        code, lines = run(label, cmd, args.out_dir)
        results.append((code, report(lines)))

    whats = [w for w, _ in results[0][1]] or [w for w, _ in results[1][1]]
    header = ("%s lanes, %s min" % (args.lanes, args.minutes), "/dev/shm", "share")
    rows = [(w, dict(results[0][1]).get(w, "n/a"), dict(results[1][1]).get(w, "n/a")) for w in whats]
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(3)]
    fmt = "| " + " | ".join("%%-%ds" % w for w in widths) + " |"
    text = "\n".join([fmt % header, "|" + "|".join("-" * (w + 2) for w in widths) + "|"] + [fmt % r for r in rows])
    with open(os.path.join(args.out_dir, "summary.md"), "w") as f:
        f.write(text + "\n")
    print("\n" + text)
    return 0 if all(code == 0 for code, _ in results) else 1


if __name__ == "__main__":
    sys.exit(main())
