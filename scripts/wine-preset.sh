#!/usr/bin/env bash
# Prints the build preset whose executables Wine can run on this machine:
# `windows` (the 32-bit product itself) where the kernel runs 32-bit
# programs, else `windows64`, the same sources built as 64-bit executables.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo windows
else
    echo windows64
fi
