#!/usr/bin/env python3
"""Measures Parvion's split and merge against GNU split and cat.

One call builds nothing: it expects build/host, the Windows build that Wine
runs here (see scripts/wine-preset.sh; --wine-build to name another folder)
and the product build/windows/app/Parvion.exe to exist. It makes one source
file, then runs the commands of each operation in turn, alternating them
run after run so that they share the machine's state, and prints one
Markdown table: the median and minimum time of each, its ratio to GNU's, and
its peak resident memory, with the machine, the date and the sizes above it.

Under Wine it also runs tools/copyloop.exe, the plain chunk-by-chunk copy in
a Windows program, alone and with one posted message per chunk, which takes
apart what Wine adds to the file calls and what it adds to each post.

Besides the engines on their own it measures the real program under Wine:
the time from the start of Parvion.exe to its visible main window, and a
split through the main window, timed from the press of the file dialog's OK
to the box "Split finished!". The Wine parts run on a virtual display that
scripts/with-wine.sh provides: the script starts itself again inside it.

  bench/bench.py [--size-mib 2048] [--runs 11] [--piece-mb 650] [--dir DIR]
                 [--wine-build DIR] [--no-wine] [--large]

  --wine-build DIR  the Windows build whose jobrun.exe, copyloop.exe,
                    Parvion.exe and parvion_session.exe run under Wine
                    (default build/PRESET, PRESET from
                    scripts/wine-preset.sh)
  --no-wine         only the native commands
  --large           also the round trip of a file larger than 4 GiB
                    (tests/large/large_round_trip.py) with each engine; takes
                    minutes and needs about 14 GB free in the folder
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


def settle():
    """Writes back what earlier commands left dirty in the page cache.

    Without it a command pays for the write-back of the files its
    predecessor wrote (the merge that follows a split most of all), and the
    order of the commands decides their times.
    """
    os.sync()


def rotated(commands, run):
    """The commands in turn, each run starting one further along.

    The first command after the source or the pieces were written pays
    for pages that the virtual machine has not handed out before (several
    times the cost of a later one here); taking turns spreads it evenly.
    """
    items = list(commands.items())
    shift = run % len(items)
    return items[shift:] + items[:shift]


def run_timed(argv):
    """Runs argv; returns (seconds, peak RSS in KiB of the process)."""
    settle()
    with tempfile.NamedTemporaryFile("r") as rss_file:
        command = ["/usr/bin/time", "-f", "%M", "-o", rss_file.name] + argv
        start = time.perf_counter()
        status = subprocess.run(command, stdout=subprocess.DEVNULL).returncode
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


def wine_preset():
    return subprocess.run([os.path.join(ROOT, "scripts", "wine-preset.sh")],
                          capture_output=True, text=True).stdout.strip()


def inside_wine_display(wine_build):
    """Starts this script again inside scripts/with-wine.sh unless it runs there.

    with-wine.sh gives the display that the program's windows need, the Wine
    prefix of the build folder and one persistent wineserver for the whole
    run, so that no run pays its start; it stops all of them at the end.
    """
    if os.environ.get("PARVION_BENCH_WINE_READY"):
        return
    os.environ["PARVION_BENCH_WINE_READY"] = "1"
    with_wine = os.path.join(ROOT, "scripts", "with-wine.sh")
    os.execv(with_wine, [with_wine, wine_build, sys.executable, os.path.abspath(__file__)] + sys.argv[1:])


def session_figures(session, *args):
    """Runs parvion_session.exe under Wine; the numbers of its last line."""
    wine_run = os.path.join(ROOT, "scripts", "wine-run.sh")
    settle()
    done = subprocess.run([wine_run, session, *args], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"failed: parvion_session {' '.join(args)}: {done.stderr.strip()}")
    return [int(word) for word in done.stdout.strip().splitlines()[-1].split()]


def pe_machine(path):
    """The machine field of a PE file: PE32 (i386) or PE32+ (x86-64)."""
    with open(path, "rb") as exe:
        header = exe.read(4096)
    pe = int.from_bytes(header[60:64], "little")
    machine = int.from_bytes(header[pe + 4:pe + 6], "little")
    return {0x14C: "PE32, i386", 0x8664: "PE32+, x86-64"}.get(machine, f"machine {machine:#x}")


def machine_line():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{model}, {os.cpu_count()} cores, Linux {os.uname().release}"


def file_system(path):
    done = subprocess.run(["df", "--output=fstype", path], capture_output=True, text=True)
    lines = done.stdout.split()
    return lines[-1] if done.returncode == 0 and len(lines) > 1 else "unknown"


def large_round_trip(engine, folder):
    """Runs the round trip of a file larger than 4 GiB; (seconds, passed)."""
    script = os.path.join(ROOT, "tests", "large", "large_round_trip.py")
    start = time.perf_counter()
    status = subprocess.run([sys.executable, script, engine, "--dir", folder]).returncode
    return time.perf_counter() - start, status == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--size-mib", type=int, default=2048)
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--piece-mb", type=int, default=650)
    parser.add_argument("--dir", default=None, help="folder on the disk to measure (default: a temp folder under build/)")
    parser.add_argument("--wine-build", default=None, help="Windows build run under Wine (default: build/PRESET)")
    parser.add_argument("--no-wine", action="store_true")
    parser.add_argument("--large", action="store_true", help="also the round trip of a file larger than 4 GiB")
    args = parser.parse_args()

    preset = wine_preset()
    wine_build = os.path.abspath(args.wine_build or os.path.join(ROOT, "build", preset))
    jobrun = os.path.join(ROOT, "build", "host", "tools", "jobrun")
    jobrun_exe = os.path.join(wine_build, "tools", "jobrun.exe")
    copyloop_exe = os.path.join(wine_build, "tools", "copyloop.exe")
    parvion_exe = os.path.join(wine_build, "app", "Parvion.exe")
    session = os.path.join(wine_build, "tests", "e2e", "parvion_session.exe")
    product = os.path.join(ROOT, "build", "windows", "app", "Parvion.exe")
    wine_run = os.path.join(ROOT, "scripts", "wine-run.sh")
    needed = [jobrun] + ([] if args.no_wine else [jobrun_exe, copyloop_exe, parvion_exe, session])
    missing = [path for path in needed if not os.path.exists(path)]
    if missing:
        sys.exit("not built: " + ", ".join(missing))
    if not args.no_wine:
        inside_wine_display(wine_build)
    wine_label = "Wine"

    base = os.path.abspath(args.dir or os.path.join(ROOT, "build"))
    work = tempfile.mkdtemp(prefix="bench-", dir=base)
    source = os.path.join(work, "src.bin")
    size = args.size_mib << 20
    piece_bytes = args.piece_mb * MEGABYTE
    make_source(source, size)

    split_cmds = {
        "jobrun (native)": [jobrun, "split", source, str(args.piece_mb)],
        "GNU split": ["split", "-b", str(piece_bytes), "-d", "-a", "1", source, source + "."],
        # The plain 512,000-byte read/write loop: what any copier of this design can reach.
        "dd bs=512000 (plain loop)": ["dd", f"if={source}", f"of={source}.copy", "bs=512000", "status=none"],
    }
    merge_cmds = {
        "jobrun (native)": [jobrun, "merge", source + ".1"],
        "GNU cat": ["sh", "-c", f'cat "{source}".[1-9] > "{source}"'],
        # A whole-file copy of the same size, the kernel doing the work.
        "cp (limit)": ["cp", source + ".orig", source + ".copy"],
    }
    window_split = f"Parvion.exe main window, OK to \"Split finished!\" ({wine_label})"
    startup = f"Parvion.exe start to visible main window ({wine_label})"
    if not args.no_wine:
        split_cmds[f"jobrun.exe ({wine_label})"] = [wine_run, jobrun_exe, "split", source, str(args.piece_mb)]
        # The same plain loop in a Windows program, then with one posted message
        # per chunk as a split posts its progress: what Wine adds to the file
        # calls, and what it adds to each post.
        copy = [wine_run, copyloop_exe, source, source + ".copy"]
        split_cmds[f"copyloop.exe, plain loop ({wine_label})"] = copy
        split_cmds[f"copyloop.exe --post, a post per chunk ({wine_label})"] = copy + ["--post"]
        merge_cmds[f"jobrun.exe ({wine_label})"] = [wine_run, jobrun_exe, "merge", source + ".1"]

    results = {}
    large = {}
    original = source + ".orig"
    os.rename(source, original)

    def fresh_source():
        remove_pieces(work, {os.path.basename(original)})
        os.link(original, source)

    try:
        for run in range(args.runs):
            for name, argv in rotated(split_cmds, run):
                fresh_source()
                seconds, rss = run_timed(argv)
                results.setdefault(("split", name), []).append((seconds, rss))
                os.remove(source)
            if not args.no_wine:
                fresh_source()
                ms, peak_kib = session_figures(session, "split", parvion_exe, source, str(args.piece_mb))
                # The program's peak working set as Wine reports it; 0: not known.
                results.setdefault(("split", window_split), []).append((ms / 1000, peak_kib or None))
                os.remove(source)
                (ms,) = session_figures(session, "startup", parvion_exe)
                results.setdefault(("start-up", startup), []).append((ms / 1000, None))
            # Pieces of the last split stay for the merges (GNU names fixed up).
            fresh_source()
            run_timed(split_cmds["jobrun (native)"])
            os.remove(source)
            for name, argv in rotated(merge_cmds, run):
                for leftover in (source, source + ".copy"):
                    if os.path.exists(leftover):
                        os.remove(leftover)
                seconds, rss = run_timed(argv)
                results.setdefault(("merge", name), []).append((seconds, rss))
            print(f"run {run + 1}/{args.runs} done", file=sys.stderr)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    if args.large:
        engines = {"jobrun (native)": jobrun}
        if not args.no_wine:
            engines[f"jobrun.exe ({wine_label})"] = jobrun_exe
        for name, engine in engines.items():
            print(f"large round trip with {name} ...", file=sys.stderr)
            large[name] = large_round_trip(engine, base)

    wine_line = None if args.no_wine else wine_build_line(wine_build, parvion_exe, preset)
    print_table(args, base, size, product, wine_line, results, large)
    if not all(passed for _, passed in large.values()):
        sys.exit("the large round trip FAILED")


def wine_build_line(wine_build, parvion_exe, preset):
    """Which build the Wine rows timed, and why that one."""
    version = subprocess.run([os.environ.get("WINELOADER", "wine"), "--version"],
                             capture_output=True, text=True).stdout.strip()
    line = f"Wine rows: {os.path.relpath(wine_build, ROOT)} ({pe_machine(parvion_exe)}) under {version}"
    if preset != "windows":
        line += "; this machine runs no 32-bit programs, so the 64-bit build of the same sources"
    return line


def print_table(args, base, size, product, wine_line, results, large):
    print()
    print(f"{time.strftime('%Y-%m-%d %H:%M')}, {machine_line()}")
    print(f"Folder {base} on {file_system(base)}; source {args.size_mib} MiB ({size:,} bytes), "
          f"pieces of {args.piece_mb} x 1,024,000 bytes, {args.runs} alternating runs")
    if os.path.exists(product):
        print(f"Product {os.path.relpath(product, ROOT)} ({pe_machine(product)}): "
              f"{os.path.getsize(product):,} bytes")
    else:
        print(f"Product {os.path.relpath(product, ROOT)}: not built")
    if wine_line:
        print(wine_line)
    print()
    print("| operation | command | median s | min s | ratio to GNU (median) | peak RSS KiB |")
    print("|---|---|---|---|---|---|")
    for op, reference in (("split", "GNU split"), ("merge", "GNU cat"), ("start-up", None)):
        ref = statistics.median(s for s, _ in results[(op, reference)]) if reference else None
        for (o, name), samples in results.items():
            if o != op:
                continue
            times = [s for s, _ in samples]
            med = statistics.median(times)
            ratio = f"{med / ref:.2f}" if ref else "-"
            rss = [r for _, r in samples if r is not None]
            peak = str(max(rss)) if rss else "-"
            print(f"| {op} | {name} | {med:.3f} | {min(times):.3f} | {ratio} | {peak} |")
    for name, (seconds, passed) in large.items():
        outcome = "passed" if passed else "FAILED"
        print(f"| round trip > 4 GiB, {outcome} | {name} | {seconds:.3f} | {seconds:.3f} | - | - |")


if __name__ == "__main__":
    main()
