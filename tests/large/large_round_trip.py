#!/usr/bin/env python3
"""Splits a file larger than 4 GiB with jobrun and merges it back.

Every 4 KiB block of the source starts with its own offset (8 bytes, little
endian), so a block that lands in the wrong place, or a count that wrapped at
2 or 4 GiB, shows at once. Pieces larger than 2 GiB and 4 GiB are among
those made: N = 2100 gives pieces of 2,150,400,000 bytes, N = 4200 of
4,300,800,000 bytes.

  large_round_trip.py JOBRUN [--size-mib 4608] [--dir DIR] [--pieces-mb 2100,4200]

JOBRUN is the native jobrun or jobrun.exe (run through scripts/wine-run.sh).
Slow and large: it has its own ctest label and is not part of every run.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BLOCK = 4096
MEGABYTE = 1024000
BUFFER = 1 << 20


def stamped(offset, length):
    """length bytes of the source from offset (both multiples of BLOCK)."""
    data = bytearray(b"\xa5" * length)
    for block in range(0, length, BLOCK):
        struct.pack_into("<Q", data, block, offset + block)
    return data


def make_source(path, size):
    with open(path, "wb") as out:
        for offset in range(0, size, BUFFER):
            out.write(stamped(offset, min(BUFFER, size - offset)))


def check_stamps(path, start, expected_size):
    """The file must hold the source's bytes from offset start on."""
    size = os.path.getsize(path)
    if size != expected_size:
        sys.exit(f"{path}: {size} bytes, expected {expected_size}")
    with open(path, "rb") as piece:
        position = 0
        while True:
            data = piece.read(BUFFER)
            if not data:
                return
            for block in range(0, len(data), BLOCK):
                offset = start + position + block
                # A piece starts on a block boundary only when start is one.
                if offset % BLOCK == 0:
                    (stamp,) = struct.unpack_from("<Q", data, block)
                    if stamp != offset:
                        sys.exit(f"{path}: block at {position + block} holds offset {stamp}, expected {offset}")
            position += len(data)


def run(jobrun, *args):
    command = [jobrun, *args]
    if jobrun.endswith(".exe"):
        command = [os.path.join(ROOT, "scripts", "wine-run.sh"), *command]
    output = subprocess.run(command, capture_output=True, text=True, check=True).stdout
    if "ended: 1" not in output:
        sys.exit(f"{' '.join(args)}: {output}")
    return output


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("jobrun")
    parser.add_argument("--size-mib", type=int, default=4608)
    parser.add_argument("--dir", default=None)
    parser.add_argument("--pieces-mb", default="2100,4200", help="piece sizes to try, comma-separated")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="large-", dir=args.dir)
    try:
        source = os.path.join(work, "big.bin")
        original = os.path.join(work, "original.bin")
        size = args.size_mib << 20
        make_source(original, size)
        for pieces_mb in (int(n) for n in args.pieces_mb.split(",")):
            piece_size = pieces_mb * MEGABYTE
            os.link(original, source)
            output = run(args.jobrun, "split", source, str(pieces_mb))
            assert "box: Split finished!" in output, output
            count = size // piece_size + 1
            for n in range(1, count + 1):
                expected = piece_size if n < count else size % piece_size
                check_stamps(f"{source}.{n}", (n - 1) * piece_size, expected)
            if os.path.exists(f"{source}.{count + 1}"):
                sys.exit(f"an extra piece {count + 1} was made")
            os.remove(source)
            output = run(args.jobrun, "merge", source + ".1")
            assert "box: Merge finished!" in output, output
            if subprocess.run(["cmp", "-s", source, original]).returncode != 0:
                sys.exit(f"N = {pieces_mb}: the merged file differs from the source")
            for n in range(1, count + 1):
                os.remove(f"{source}.{n}")
            os.remove(source)
            print(f"N = {pieces_mb}: {count} pieces, round trip byte for byte")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
