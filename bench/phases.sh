#!/usr/bin/env bash
# Where the time of a run goes: taufix-batch's phases beside those of the lean renamer, with one
# thread and with -j, on fresh folders of COUNT files x000001.dat … in one folder renamed to
# neu000001.dat …, on tmpfs and on the build folder's file system. Each program runs ROUNDS times;
# the run with the best wall time is shown, and for taufix-batch the time outside main (loading
# and exit).
# Aufruf: bench/phases.sh BUILD_DIR [COUNT] [ROUNDS]
set -euo pipefail
build=$1
count=${2:-100000}
rounds=${3:-3}
bench=$(cd "$(dirname "$0")" && pwd)
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
cc -O2 -o "$tools/timed" "$bench/timed.c"
cc -O2 -pthread -o "$tools/lean" "$bench/lean.c"
phases=$(realpath "$build/bench/taufix_batch_phases")
export XDG_STATE_HOME=$tools/state

run() {  # program folder; the phases on standard error go to $tools/phases
    cd "$2"
    case $1 in
        taufix) "$tools/timed" "$tools/result" "$phases" -0 --files-from "$tools/list" \
            -m 'neu[ZAHL][TYP]' --lead-zeros null --digits 6 --apply > /dev/null 2> "$tools/phases" ;;
        lean) "$tools/timed" "$tools/result" "$tools/lean" -v "$tools/list" 2> "$tools/phases" ;;
        lean-2) "$tools/timed" "$tools/result" "$tools/lean" -j -v "$tools/list" 2> "$tools/phases" ;;
    esac
}

for place in /dev/shm "$(realpath "$build")"; do
    folder=$place/taufix-phases
    fs=$(findmnt -n -o FSTYPE -T "$place" | head -n 1)
    for program in taufix lean lean-2; do
        best=
        for ((round = 1; round <= rounds; ++round)); do
            rm -rf "$folder" && mkdir -p "$folder"
            (cd "$folder" && seq -f 'x%06g.dat' 1 "$count" | xargs touch)
            find "$folder" -name 'x*.dat' -print0 | sort -z > "$tools/list"
            run "$program" "$folder"
            read -r seconds _ status < "$tools/result"
            [[ $status -eq 0 ]] || echo "$program: Status $status" >&2
            if [[ -z $best ]] || awk "BEGIN{exit !($seconds < $best)}"; then
                best=$seconds
                cp "$tools/phases" "$tools/best"
            fi
        done
        echo "$program, $count Dateien auf $fs ($place), beste von $rounds: $best s"
        grep -v 'umbenannt, ' "$tools/best" | sed 's/^/  /'
        if [[ $program == taufix ]]; then
            # The last phase ends where main returns: the rest of the wall time lies outside main.
            inside=$(grep -o 'bei *[0-9.]*' "$tools/best" | tail -n 1 | awk '{ print $2 }')
            awk -v w="$best" -v i="$inside" \
                'BEGIN { printf "  %-30s %8.2f ms\n", "außerhalb von main", w * 1000 - i }'
        fi
    done
    rm -rf "$folder"
done
