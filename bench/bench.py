#!/usr/bin/env python3
"""Measures Parvion's split and merge against GNU split and cat.

One call builds nothing: it expects build/host and the Windows build (see
scripts/wine-preset.sh) to exist. It makes one source file, then runs the
commands of each operation in turn, alternating them run after run so that
they share the machine's state, and prints the median time of each, its
ratio to GNU's, and its peak resident memory.

  bench/bench.py [--size-mib 2048] [--runs 11] [--dir DIR] [--piece-mb 650]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MEGABYTE = 1024000  # the program's megabyte: two chunks of 512,000 bytes


def run_timed(argv, env=None):
    """Runs argv; returns (seconds, peak RSS in KiB of the process)."""
    with tempfile.NamedTemporaryFile("r") as rss_file:
        command = ["/usr/bin/time", "-f", "%M", "-o", rss_file.name] + argv
        start = time.perf_counter()
        status = subprocess.run(command, env=env, stdout=subprocess.DEVNULL).returncode
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"failed: {' '.join(argv)}")
        return elapsed, int(rss_file.read().split()[-1])


def make_source(path, size):
    block = os.urandom(1 << 20)
    with open(path, "wb") as out:
        left = size
        while left > 0:
            out.write(block[: min(left, len(block))])
            left -= len(block)


def remove_pieces(directory, keep):
    for name in os.listdir(directory):
        if name not in keep:
            os.remove(os.path.join(directory, name))


def wine_env(preset):
    env = dict(os.environ)
    env["WINEPREFIX"] = os.path.join(ROOT, "build", preset, "wineprefix")
    env["WINEDEBUG"] = "-all"
    return env


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--size-mib", type=int, default=2048)
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--piece-mb", type=int, default=650)
    parser.add_argument("--dir", default=None, help="folder on the disk to measure (default: a temp folder under build/)")
    parser.add_argument("--no-wine", action="store_true")
    args = parser.parse_args()

    preset = subprocess.run([os.path.join(ROOT, "scripts", "wine-preset.sh")],
                            capture_output=True, text=True).stdout.strip()
    jobrun = os.path.join(ROOT, "build", "host", "tools", "jobrun")
    jobrun_exe = os.path.join(ROOT, "build", preset, "tools", "jobrun.exe")
    wine_run = os.path.join(ROOT, "scripts", "wine-run.sh")
    env = wine_env(preset)

    base = args.dir or os.path.join(ROOT, "build")
    work = tempfile.mkdtemp(prefix="bench-", dir=base)
    source = os.path.join(work, "src.bin")
    size = args.size_mib << 20
    piece_bytes = args.piece_mb * MEGABYTE
    make_source(source, size)
    if not args.no_wine:
        # One persistent wineserver for the whole run, so no run pays its start.
        subprocess.run(["wineserver", "-p"], env=env, check=True)

    split_cmds = {
        "jobrun": [jobrun, "split", source, str(args.piece_mb)],
        "GNU split": ["split", "-b", str(piece_bytes), "-d", "-a", "1", source, source + "."],
        # The plain 512,000-byte read/write loop: what any copier of this design can reach.
        "dd bs=512000 (plain loop)": ["dd", f"if={source}", f"of={source}.copy", "bs=512000", "status=none"],
    }
    merge_cmds = {
        "jobrun": [jobrun, "merge", source + ".1"],
        "GNU cat": ["sh", "-c", f'cat "{source}".[1-9] > "{source}"'],
        # A whole-file copy of the same size, the kernel doing the work.
        "cp (limit)": ["cp", source + ".orig", source + ".copy"],
    }
    if not args.no_wine:
        split_cmds["jobrun.exe (Wine)"] = [wine_run, jobrun_exe, "split", source, str(args.piece_mb)]
        merge_cmds["jobrun.exe (Wine)"] = [wine_run, jobrun_exe, "merge", source + ".1"]

    # Both splitters name their pieces .1, .2, ... for the merges, so GNU split
    # starts at 1: rename its 0-based output after each run.
    def after_gnu_split():
        count = size // piece_bytes + 1
        for n in reversed(range(count)):
            p = f"{source}.{n}"
            if os.path.exists(p):
                os.rename(p, f"{source}.{n + 1}")

    results = {}
    original = source + ".orig"
    os.rename(source, original)
    try:
        for run in range(args.runs):
            for name, argv in split_cmds.items():
                remove_pieces(work, {os.path.basename(original)})
                os.link(original, source)
                seconds, rss = run_timed(argv, env)
                results.setdefault(("split", name), []).append((seconds, rss))
                os.remove(source)
            # Pieces of the last split stay for the merges (GNU names fixed up).
            remove_pieces(work, {os.path.basename(original)})
            os.link(original, source)
            run_timed(split_cmds["jobrun"])
            os.remove(source)
            for name, argv in merge_cmds.items():
                for leftover in (source, source + ".copy"):
                    if os.path.exists(leftover):
                        os.remove(leftover)
                seconds, rss = run_timed(argv, env)
                results.setdefault(("merge", name), []).append((seconds, rss))
            print(f"run {run + 1}/{args.runs} done", file=sys.stderr)
    finally:
        if not args.no_wine:
            subprocess.run(["wineserver", "-k"], env=env)
        shutil.rmtree(work, ignore_errors=True)

    print(f"\n{args.size_mib} MiB source, pieces of {args.piece_mb} x 1,024,000 bytes, "
          f"{args.runs} alternating runs, folder on {base}\n")
    print(f"| operation | command | median s | min s | ratio to GNU (median) | peak RSS KiB |")
    print(f"|---|---|---|---|---|---|")
    for op, reference in (("split", "GNU split"), ("merge", "GNU cat")):
        ref = statistics.median(s for s, _ in results[(op, reference)])
        for (o, name), samples in results.items():
            if o != op:
                continue
            times = [s for s, _ in samples]
            med = statistics.median(times)
            print(f"| {op} | {name} | {med:.3f} | {min(times):.3f} | {med / ref:.2f} | {max(r for _, r in samples)} |")


if __name__ == "__main__":
    main()
