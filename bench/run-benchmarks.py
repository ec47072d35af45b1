#!/usr/bin/env python3
"""Runs every benchmark with repetitions, keeps Google Benchmark's JSON output,
and prints one table of the figures with their targets (medians).

Usage: run-benchmarks.py --bin-dir DIR --out-dir DIR [--repetitions N]
                         [--compiler TEXT] [--qt VERSION] [--build-type TYPE]
       run-benchmarks.py --table-only --out-dir DIR ...   (the table from earlier JSON)
       run-benchmarks.py --bin-dir DIR --out-dir DIR --share SERVER:CLIENT
           (the polling benchmarks on /dev/shm and on a network share whose exported
            folder is SERVER and whose mount is CLIENT; one table with both columns)

The resident-memory benchmark measures its whole process, so each lane count
runs in processes of its own, once per repetition. Exit code 0 when every
benchmark ran (targets that are not met do not fail the run), 1 otherwise."""

import argparse
import json
import os
import platform
import re
import statistics
import subprocess
import sys
import time

# The benchmark executables, each run whole; or, for those measured per
# process, one run per filter and repetition.
BENCHES = [
    ("omr_watchdog_bench", None),
    ("omr_target_paint_bench", None),
    ("omr_results_read_bench", None),
    ("omr_ranking_bench", None),
    ("omr_startup_bench", None),
    ("omr_frame_memory_bench", ["BM_Frame_Loaded/lanes:8/", "BM_Frame_Loaded/lanes:255/"]),
]

# One row per figure: what, where (executable, run name), the value (real time
# or a counter) and its unit, and the target (None: for information).
ROWS = [
    ("Idle tick, 255 lanes, empty exchange folder", "omr_watchdog_bench",
     "BM_Tick_Idle/after_match:0", "time", "ms", 10),
    ("Idle tick, 255 lanes, 510 files left by a match", "omr_watchdog_bench",
     "BM_Tick_Idle/after_match:1", "time", "ms", 10),
    ("Loaded tick, 255 lanes, 16 shown at 3840x2160, latest shot marked", "omr_watchdog_bench",
     "BM_Tick_Loaded/screen_3840x2160__latest_shot_marked", "time", "ms", 100),
    ("Loaded tick, 255 lanes, 16 shown at 1920x1080, latest shot marked", "omr_watchdog_bench",
     "BM_Tick_Loaded/screen_1920x1080__latest_shot_marked", "time", "ms", 100),
    ("Loaded tick, 255 lanes, 16 shown at 3840x2160, all shots marked", "omr_watchdog_bench",
     "BM_Tick_Loaded/screen_3840x2160__all_shots_marked", "time", "ms", 100),
    ("Longest UI hold in an idle tick, 510 files left by a match", "omr_watchdog_bench",
     "BM_Tick_Idle/after_match:1", "hold_ms", "ms", 50),
    ("Longest UI hold in a loaded tick, 3840x2160, latest shot marked", "omr_watchdog_bench",
     "BM_Tick_Loaded/screen_3840x2160__latest_shot_marked", "hold_ms", "ms", 50),
    ("Repaint of 16 targets at 3840x2160, latest shot marked", "omr_target_paint_bench",
     "Scheibe_16_windows_Refresh/screen_3840x2160/latest_shot_marked", "time", "ms", 8),
    ("Repaint of 16 targets at 3840x2160, all shots marked", "omr_target_paint_bench",
     "Scheibe_16_windows_Refresh/screen_3840x2160/all_shots_marked", "time", "ms", 8),
    ("Results file read, 60 shots", "omr_results_read_bench", "BM_LadeErgebnisse/60", "time", "ms", 1),
    ("Results file read, 150 shots", "omr_results_read_bench", "BM_LadeErgebnisse/150", "time", "ms", 1),
    ("Ranking page filled from a 255-line ranking file, 3840x2160", "omr_ranking_bench",
     "BM_RankingPage_FromFile/screen_3840x2160", "time", "ms", 100),
    ("Next ranking page, 3840x2160", "omr_ranking_bench",
     "BM_RankingPage_Next/screen_3840x2160", "time", "ms", 100),
    ("Start-up to first painted frame, 8 lanes", "omr_startup_bench",
     "BM_StartUp_FirstPaint/lanes:8", "time", "ms", 1000),
    ("Start-up to first painted frame, 255 lanes", "omr_startup_bench",
     "BM_StartUp_FirstPaint/lanes:255", "time", "ms", 1000),
    ("Resident memory, 8 lanes, every lane loaded", "omr_frame_memory_bench",
     "BM_Frame_Loaded/lanes:8", "rss_MB", "MB", 150),
    ("Resident memory, 255 lanes, every lane loaded, every page shown", "omr_frame_memory_bench",
     "BM_Frame_Loaded/lanes:255", "rss_MB", "MB", 150),
]

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def run(cmd, env):
    print("+ " + " ".join(cmd), flush=True)
    return subprocess.run(cmd, env=env).returncode == 0


def run_benchmarks(args, env):
    ok = True
    for exe, filters in BENCHES:
        path = os.path.join(args.bin_dir, exe)
        if filters is None:
            out = os.path.join(args.out_dir, exe + ".json")
            ok &= run([path, "--benchmark_out=" + out, "--benchmark_out_format=json",
                       "--benchmark_repetitions=%d" % args.repetitions,
                       "--benchmark_report_aggregates_only=true"], env)
            continue
        for i, flt in enumerate(filters):
            for rep in range(args.repetitions):
                out = os.path.join(args.out_dir, "%s.%d.%d.json" % (exe, i, rep))
                ok &= run([path, "--benchmark_filter=" + flt, "--benchmark_out=" + out,
                           "--benchmark_out_format=json"], env)
    return ok


def load_results(out_dir):
    """{exe: [benchmark entries]} from every JSON file of the run."""
    results = {}
    for name in sorted(os.listdir(out_dir)):
        if not name.endswith(".json"):
            continue
        exe = name.split(".")[0]
        try:
            with open(os.path.join(out_dir, name)) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue
        results.setdefault(exe, []).extend(data.get("benchmarks", []))
    return results


def figure(entries, run_name, field):
    """The median of the repetitions of one benchmark, in ms or the counter's unit."""
    def matches(e):
        name = e.get("run_name", e.get("name", ""))
        return name == run_name or name.startswith(run_name + "/")
    chosen = [e for e in entries if matches(e) and not e.get("error_occurred")]
    medians = [e for e in chosen if e.get("run_type") == "aggregate" and e.get("aggregate_name") == "median"]
    if medians:
        chosen = medians
    else:
        chosen = [e for e in chosen if e.get("run_type", "iteration") == "iteration"]
    if not chosen:
        return None
    if field == "time":
        values = [e["real_time"] * TO_MS[e.get("time_unit", "ns")] for e in chosen]
    else:
        values = [e[field] for e in chosen if field in e]
    return statistics.median(values) if values else None


def read_first(path, pattern):
    try:
        with open(path) as f:
            for line in f:
                m = re.match(pattern, line)
                if m:
                    return m.group(1).strip()
    except OSError:
        pass
    return "unknown"


def machine(args):
    mem_kb = read_first("/proc/meminfo", r"MemTotal:\s+(\d+)")
    ram = "%.1f GiB" % (int(mem_kb) / 1024 / 1024) if mem_kb.isdigit() else "unknown"
    return [
        ("nproc", str(os.cpu_count())),
        ("CPU", read_first("/proc/cpuinfo", r"model name\s*:\s*(.*)")),
        ("RAM", ram),
        ("OS", read_first("/etc/os-release", r'PRETTY_NAME="?([^"]*)"?') + ", kernel " + platform.release()),
        ("Compiler", args.compiler or "unknown"),
        ("Qt", args.qt or "unknown"),
        ("Build type", args.build_type or "unknown"),
    ]


def number(value, unit):
    if value is None:
        return "n/a"
    if unit == "ms" and value < 1:
        return "%.3f %s" % (value, unit)
    return "%.1f %s" % (value, unit)


def share_table(args, load_before, load_after, seconds):
    """The polling figures on /dev/shm and on the share, side by side."""
    columns = [load_results(os.path.join(args.out_dir, d)) for d in ("shm", "share")]
    lines = ["Machine: " + "; ".join("%s %s" % kv for kv in machine(args))]
    if load_before is not None:
        lines.append("Load average (1 min) before / after: %.2f / %.2f; the run took %.0f s; medians of %d repetitions"
                     % (load_before, load_after, seconds, args.repetitions))
    lines.append("Share: " + args.share.replace(":", " exported, mounted at "))
    lines.append("")
    header = ("Figure", "/dev/shm", "share", "Target")
    rows = []
    for what, exe, run_name, field, unit, target in ROWS:
        if exe != "omr_watchdog_bench":
            continue
        values = [number(figure(c.get(exe, []), run_name, field), unit) for c in columns]
        rows.append((what, values[0], values[1], "< %g %s" % (target, unit) if target is not None else "-"))
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(4)]
    fmt = "| " + " | ".join("%%-%ds" % w for w in widths) + " |"
    lines.append(fmt % header)
    lines.append("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    lines.extend(fmt % r for r in rows)
    return "\n".join(lines), all("n/a" not in (r[1], r[2]) for r in rows)


def run_share(args, env):
    server, client = args.share.split(":", 1)
    ok = True
    for column, extra in (("shm", {}), ("share", {"OMR_BENCH_SHARE_SERVER": server, "OMR_BENCH_SHARE_CLIENT": client})):
        out_dir = os.path.join(args.out_dir, column)
        os.makedirs(out_dir, exist_ok=True)
        for name in os.listdir(out_dir):
            if name.endswith(".json"):
                os.remove(os.path.join(out_dir, name))
        out = os.path.join(out_dir, "omr_watchdog_bench.json")
        ok &= run([os.path.join(args.bin_dir, "omr_watchdog_bench"), "--benchmark_out=" + out,
                   "--benchmark_out_format=json", "--benchmark_repetitions=%d" % args.repetitions,
                   "--benchmark_report_aggregates_only=true"], dict(env, **extra))
    return ok


def table(args, load_before, load_after, seconds):
    results = load_results(args.out_dir)
    lines = []
    lines.append("Machine: " + "; ".join("%s %s" % kv for kv in machine(args)))
    if load_before is not None:
        lines.append("Load average (1 min) before / after: %.2f / %.2f; the run took %.0f s; medians of %d repetitions"
                     % (load_before, load_after, seconds, args.repetitions))
    lines.append("")
    header = ("Figure", "Measured", "Target", "Met")
    rows = []
    for what, exe, run_name, field, unit, target in ROWS:
        value = figure(results.get(exe, []), run_name, field)
        met = "n/a" if value is None or target is None else ("yes" if value < target else "no")
        rows.append((what, number(value, unit), "< %g %s" % (target, unit) if target is not None else "-", met))
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(4)]
    fmt = "| " + " | ".join("%%-%ds" % w for w in widths) + " |"
    lines.append(fmt % header)
    lines.append("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    lines.extend(fmt % r for r in rows)
    return "\n".join(lines), all(r[1] != "n/a" for r in rows)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--bin-dir")
    p.add_argument("--out-dir", required=True)
    p.add_argument("--repetitions", type=int, default=3)
    p.add_argument("--compiler", default="")
    p.add_argument("--qt", default="")
    p.add_argument("--build-type", default="")
    p.add_argument("--table-only", action="store_true")
    p.add_argument("--share", default="")
    args = p.parse_args()

    ok = True
    load_before = load_after = None
    seconds = 0.0
    if not args.table_only:
        os.makedirs(args.out_dir, exist_ok=True)
        for name in os.listdir(args.out_dir):
            if name.endswith(".json"):
                os.remove(os.path.join(args.out_dir, name))
        env = dict(os.environ)
        load_before = os.getloadavg()[0]
        start = time.monotonic()
        ok = run_share(args, env) if args.share else run_benchmarks(args, env)
        seconds = time.monotonic() - start
        load_after = os.getloadavg()[0]

    text, complete = (share_table if args.share else table)(args, load_before, load_after, seconds)
    summary = "summary-share.md" if args.share else "summary.md"
    with open(os.path.join(args.out_dir, summary), "w") as f:
        f.write(text + "\n")
    print("\n" + text)
    if not ok or not complete:
        print("\nSome benchmarks did not run; see above.", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
