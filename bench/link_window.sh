#!/usr/bin/env bash
# How long a renaming by link and unlink (where the file system refuses the no-replace flag)
# leaves the old name exposed: the gap between the last look at the old name and its unlink,
# per file, for COUNT files in one folder. Aufruf: bench/link_window.sh BUILD_DIR [COUNT]
set -euo pipefail
build=$1
count=${2:-10000}
bench=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/link_window.so" "$bench/link_window.c" -ldl
mkdir "$work/files"
(cd "$work/files" && seq -f 'x%06g.dat' 1 "$count" | xargs touch)
find "$work/files" -name 'x*.dat' -print0 > "$work/list"
XDG_STATE_HOME=$work/state TAUFIX_LINK_WINDOW_OUT=$work/gaps LD_PRELOAD=$work/link_window.so \
    "$build/src/app/batch/taufix-batch" -0 --files-from "$work/list" -m 'neu[NAME][TYP]' --apply \
    > /dev/null 2>&1
sort -n "$work/gaps" | awk '{ gap[NR] = $1 } END {
    printf "Zeit zwischen dem letzten Blick auf den alten Namen und seinem Entfernen, %d Dateien:\n", NR
    printf "  Median %d ns, 99. Perzentil %d ns, höchstens %d ns\n",
        gap[int(NR / 2) + 1], gap[int(NR * 0.99)], gap[NR] }'
