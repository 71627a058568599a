#!/usr/bin/env bash
# How long a name stays unchecked before it is renamed: the gap between the statx that confirms
# the planned file and the renameat2, per file, for COUNT files in one folder, in taufix-batch
# and in the lean renamer with one and two threads. Aufruf: bench/rename_window.sh BUILD_DIR [COUNT]
set -euo pipefail
build=$1
count=${2:-100000}
bench=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/rename_window.so" "$bench/rename_window.c" -ldl
cc -O2 -pthread -o "$work/lean" "$bench/lean.c"
batch=$(realpath "$build/src/app/batch/taufix-batch")

for program in taufix lean lean-2; do
    rm -rf "$work/files" "$work/gaps" && mkdir "$work/files"
    (cd "$work/files" && seq -f 'x%06g.dat' 1 "$count" | xargs touch)
    find "$work/files" -name 'x*.dat' -print0 > "$work/list"
    case $program in
        taufix) command=("$batch" -0 --files-from "$work/list" -m 'neu[ZAHL][TYP]' --lead-zeros null
            --digits 6 --apply) ;;
        lean) command=("$work/lean" "$work/list") ;;
        lean-2) command=("$work/lean" -j "$work/list") ;;
    esac
    XDG_STATE_HOME=$work/state TAUFIX_RENAME_WINDOW_OUT=$work/gaps \
        LD_PRELOAD=$work/rename_window.so "${command[@]}" > /dev/null 2>&1
    renamed=$(find "$work/files" -name 'neu*.dat' | wc -l)
    gaps=$(wc -l < "$work/gaps")
    if ((renamed != count || gaps != count)); then
        echo "$program: $renamed von $count umbenannt, $gaps Abstände gemessen" >&2
    fi
    first=$(head -n 1 "$work/gaps")
    sort -n "$work/gaps" | awk -v p="$program" -v first="$first" '{ gap[NR] = $1 } END {
        printf "%s: Zeit zwischen der Prüfung per statx und renameat2, %d Dateien:\n", p, NR
        printf "  Median %d ns, 99. Perzentil %d ns, höchstens %d ns, erster Abstand %d ns\n",
            gap[int(NR / 2) + 1], gap[int(NR * 0.99)], gap[NR], first }'
done
