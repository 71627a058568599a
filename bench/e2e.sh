#!/usr/bin/env bash
# End to end: taufix-batch against the floor (one stat and one renameat2 per file), the lean
# renamer (every safety taufix-batch has, in plain C, with one and two threads) and the renamers
# a Debian system has, on fresh files x000001.dat … renamed to neu000001.dat …, in turn A B C …
# for ROUNDS rounds; the best time of each counts. JOBS picks among 10000 and 100000 files in one
# folder and "ordner", 1,000 folders of 100 files each.
# Aufruf: bench/e2e.sh BUILD_DIR [ROUNDS] [JOBS]
set -euo pipefail
build=$1
rounds=${2:-5}
read -r -a jobs <<< "${3:-10000 100000 ordner}"
bench=$(cd "$(dirname "$0")" && pwd)
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
cc -O2 -o "$tools/floor" "$bench/floor.c"
cc -O2 -pthread -o "$tools/lean" "$bench/lean.c"
cc -O2 -o "$tools/timed" "$bench/timed.c"
batch=$(realpath "$build/src/app/batch/taufix-batch")
ulimit -s 65536  # room for 100,000 names as arguments
export XDG_STATE_HOME=$tools/state  # the journals of these runs are not the user's

contenders=(floor lean lean-2 taufix taufix-preview)
command -v mmv > /dev/null && contenders+=(mmv)
command -v rename.ul > /dev/null && contenders+=(rename.ul)
command -v file-rename > /dev/null && contenders+=(perl-rename)

dotted() { sed -E ':a;s/([0-9])([0-9]{3})($|\.)/\1.\2\3/;ta' <<< "$1"; }  # 100000 → 100.000

# Makes the job's files under folder, their paths relative to it one a line in $tools/names, and
# the NUL-separated list of their full paths in $tools/list.
prepare() {
    rm -rf "$1" && mkdir -p "$1"
    case $2 in
        ordner) (cd "$1" && seq -f 'd%04g' 1 1000 | xargs mkdir)
            awk 'BEGIN { for (d = 1; d <= 1000; ++d) for (i = 1; i <= 100; ++i)
                printf "d%04d/x%06d.dat\n", d, i }' > "$tools/names" ;;
        *) seq -f 'x%06g.dat' 1 "$2" > "$tools/names" ;;
    esac
    (cd "$1" && xargs touch < "$tools/names")
    find "$1" -name 'x*.dat' -print0 | sort -z > "$tools/list"
}

# contender folder job; writes "seconds peak-KiB status" to $tools/result. Each tool gets the
# files its fastest way in one process: the list, a pattern, or the paths as arguments, read
# before the clock starts. In folders the counter would number across them, so taufix takes the
# digits from the old name there.
run() {
    local names mask='neu[ZAHL][TYP]' from='x*.dat' to='neu#1.dat'
    [[ $3 == ordner ]] && mask='neu[2-7][TYP]' from='*/x*.dat' to='#1/neu#2.dat'
    cd "$2"
    case $1 in
        floor) "$tools/timed" "$tools/result" "$tools/floor" "$tools/list" ;;
        lean) "$tools/timed" "$tools/result" "$tools/lean" "$tools/list" ;;
        lean-2) "$tools/timed" "$tools/result" "$tools/lean" -j "$tools/list" ;;
        taufix) "$tools/timed" "$tools/result" "$batch" -0 --files-from "$tools/list" -m "$mask" \
            --lead-zeros null --digits 6 --apply > /dev/null 2>&1 ;;
        taufix-preview) "$tools/timed" "$tools/result" "$batch" -0 --files-from "$tools/list" \
            -m "$mask" --lead-zeros null --digits 6 > /dev/null ;;
        mmv) "$tools/timed" "$tools/result" mmv "$from" "$to" ;;
        rename.ul) mapfile -t names < "$tools/names"
            "$tools/timed" "$tools/result" rename.ul x neu "${names[@]}" ;;
        perl-rename) mapfile -t names < "$tools/names"
            "$tools/timed" "$tools/result" file-rename -d 's/^x/neu/' "${names[@]}" ;;
    esac
}

for place in /dev/shm "$(realpath "$build")"; do
    for job in "${jobs[@]}"; do
        case $job in
            ordner) count=100000 title="1.000 Ordner × 100 Dateien" ;;
            *) count=$job title="$(dotted "$job") Dateien in einem Ordner" ;;
        esac
        declare -A best=() peak=()
        for ((round = 1; round <= rounds; ++round)); do
            for contender in "${contenders[@]}"; do
                folder=$place/taufix-e2e
                prepare "$folder" "$job"
                run "$contender" "$folder" "$job" > /dev/null 2>&1
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
        echo "$title auf $fs ($place), beste von $rounds Runden:"
        for contender in "${contenders[@]}"; do
            awk -v c="$contender" -v s="${best[$contender]}" -v f="${best[floor]}" -v m="${peak[$contender]}" \
                'BEGIN { printf "  %-15s %8.3f s  %5.2f × Boden  %7.1f MB\n", c, s, s / f, m / 1024 }'
        done
        unset best peak
    done
done
