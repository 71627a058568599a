#!/usr/bin/env bash
# End to end: taufix-batch against the floor (one stat and one renameat2 per file) and the
# renamers a Debian system has, on fresh folders of N files x000001.dat … renamed to
# neu000001.dat …, in turn A B C … for ROUNDS rounds; the best time of each counts.
# Aufruf: bench/e2e.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=$1
rounds=${2:-5}
bench=$(cd "$(dirname "$0")" && pwd)
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
cc -O2 -o "$tools/floor" "$bench/floor.c"
cc -O2 -o "$tools/timed" "$bench/timed.c"
batch=$(realpath "$build/src/app/batch/taufix-batch")
ulimit -s 65536  # room for 100,000 names as arguments
export XDG_STATE_HOME=$tools/state  # the journals of these runs are not the user's

contenders=(floor taufix taufix-preview)
command -v mmv > /dev/null && contenders+=(mmv)
command -v rename.ul > /dev/null && contenders+=(rename.ul)
command -v file-rename > /dev/null && contenders+=(perl-rename)

# Makes folder with count files and the NUL-separated list of their paths.
prepare() {
    rm -rf "$1" && mkdir -p "$1"
    (cd "$1" && seq -f 'x%06g.dat' 1 "$2" | xargs touch)
    find "$1" -name 'x*.dat' -print0 | sort -z > "$tools/list"
}

run() {  # contender folder count; writes "seconds peak-KiB status" to $tools/result
    local names
    cd "$2"
    case $1 in
        floor) "$tools/timed" "$tools/result" "$tools/floor" "$tools/list" ;;
        taufix) "$tools/timed" "$tools/result" "$batch" -0 --files-from "$tools/list" -m 'neu[ZAHL][TYP]' \
            --lead-zeros null --digits 6 --apply > /dev/null 2>&1 ;;
        taufix-preview) "$tools/timed" "$tools/result" "$batch" -0 --files-from "$tools/list" \
            -m 'neu[ZAHL][TYP]' --lead-zeros null --digits 6 > /dev/null ;;
        mmv) "$tools/timed" "$tools/result" mmv 'x*.dat' 'neu#1.dat' ;;
        rename.ul) mapfile -t names < <(ls); "$tools/timed" "$tools/result" rename.ul x neu "${names[@]}" ;;
        perl-rename) mapfile -t names < <(ls); "$tools/timed" "$tools/result" file-rename 's/^x/neu/' "${names[@]}" ;;
    esac
}

for place in /dev/shm "$(realpath "$build")"; do
    for count in 10000 100000; do
        declare -A best=() peak=()
        for ((round = 1; round <= rounds; ++round)); do
            for contender in "${contenders[@]}"; do
                folder=$place/taufix-e2e
                prepare "$folder" "$count"
                run "$contender" "$folder" "$count" > /dev/null 2>&1
                read -r seconds kib status < "$tools/result"
                renamed=$(find "$folder" -name 'neu*.dat' | wc -l)
                if [[ $contender != taufix-preview && $renamed -ne $count ]] || [[ $status -ne 0 ]]; then
                    echo "$contender: $renamed von $count umbenannt, Status $status" >&2
                fi
                if [[ -z ${best[$contender]:-} ]] || awk "BEGIN{exit !($seconds < ${best[$contender]})}"; then
                    best[$contender]=$seconds
                    peak[$contender]=$kib
                fi
            done
        done
        rm -rf "$place/taufix-e2e"
        fs=$(findmnt -n -o FSTYPE -T "$place" | head -n 1)
        echo "$count Dateien auf $fs ($place), beste von $rounds Runden:"
        for contender in "${contenders[@]}"; do
            awk -v c="$contender" -v s="${best[$contender]}" -v f="${best[floor]}" -v m="${peak[$contender]}" \
                'BEGIN { printf "  %-15s %8.3f s  %5.2f × Boden  %7.1f MB\n", c, s, s / f, m / 1024 }'
        done
        unset best peak
    done
done
