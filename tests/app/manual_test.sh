#!/usr/bin/env bash
# The manual pages render without a warning of groff, and the one of taufix-batch names every
# exit status that the program's --help names. Its options are held against the parser by
# BatchOptionDocs.
set -uo pipefail
program=$1
batch_page=$2
shift 2

failed=0
for page in "$batch_page" "$@"; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings=w -l "$page" 2>&1 >/dev/null)
    if [[ -n $warnings ]]; then
        printf 'FEHLER: %s erzeugt Warnungen:\n%s\n' "$page" "$warnings"
        failed=1
    fi
done

help=$("$program" --help)
for status in $(sed -n '/^Exit-Status:/,/^$/s/^  \([0-9]\) .*/\1/p' <<<"$help"); do
    if ! grep -qx -- ".B $status" "$batch_page"; then
        echo "FEHLER: $batch_page beschreibt den Exit-Status $status nicht"
        failed=1
    fi
done

if ((failed)); then
    exit 1
fi
echo "Handbuchseiten: ohne Warnungen, alle Exit-Status beschrieben"
