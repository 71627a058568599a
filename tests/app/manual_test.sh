#!/usr/bin/env bash
# The manual pages render without a warning of groff, and the one of taufix-batch names every
# option and every exit status that the program's --help names.
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

# In roff every hyphen of an option is written \-; "-m" must not be found inside "--mask".
help=$("$program" --help)
for option in $(grep -oE -- '(^| )--?[a-z0-9][a-z0-9-]*' <<<"$help" | sort -u); do
    if ! grep -qE -- "(^|[^a-z0-9-])${option//-/\\\\-}([^a-z0-9\\]|$)" "$batch_page"; then
        echo "FEHLER: $batch_page beschreibt $option nicht"
        failed=1
    fi
done
for status in $(sed -n '/^Exit-Status:/,/^$/s/^  \([0-9]\) .*/\1/p' <<<"$help"); do
    if ! grep -qx -- ".B $status" "$batch_page"; then
        echo "FEHLER: $batch_page beschreibt den Exit-Status $status nicht"
        failed=1
    fi
done

if ((failed)); then
    exit 1
fi
echo "Handbuchseiten: ohne Warnungen, alle Optionen und Exit-Status beschrieben"
