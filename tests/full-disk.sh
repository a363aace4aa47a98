#!/bin/sh
# full-disk.sh mount|unmount DIR
#
# The small file systems for the disk-full tests: DIR/split and DIR/merge,
# each a tmpfs of 4 MiB, room for a 3,072,000-byte file and 1,122,304 bytes
# more. ctest mounts them before the engine tests and unmounts them after.
# Mounting needs root; where it is refused the folders are left out, and the
# tests that need them skip and say why.
set -u
action=${1:?usage: full-disk.sh mount|unmount DIR}
root=${2:?usage: full-disk.sh mount|unmount DIR}

unmount_all() {
    for name in split merge; do
        dir=$root/$name
        if mountpoint -q "$dir" 2>/dev/null; then
            umount "$dir" || umount -l "$dir"
        fi
        [ -d "$dir" ] && ! mountpoint -q "$dir" && rm -rf "$dir"
    done
}

case $action in
mount)
    unmount_all
    for name in split merge; do
        dir=$root/$name
        mkdir -p "$dir"
        if ! mount -t tmpfs -o size=4m tmpfs "$dir" 2>/dev/null; then
            rmdir "$dir"
            echo "full-disk: could not mount a tmpfs at $dir (needs root); the disk-full tests will skip"
        fi
    done
    ;;
unmount)
    unmount_all
    ;;
*)
    echo "usage: full-disk.sh mount|unmount DIR" >&2
    exit 2
    ;;
esac
exit 0
