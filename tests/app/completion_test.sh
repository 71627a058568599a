#!/usr/bin/env bash
# Completes taufix-batch command lines as bash would and compares the offers. The option list
# and the value lists are read from the built program (--help and its refusals), so that a
# renamed option or value fails here until the completion follows.
set -uo pipefail
program=$(realpath "$1")
completion=$2

source /usr/share/bash-completion/bash_completion
source "$completion"
# Outside a real completion bash refuses compopt; what it would set does not matter here.
compopt() { :; }

# The words the parser accepts for an option, from its refusal of a wrong one.
accepted() {
    "$program" "$1" '?' 2>&1 | sed -n 's/.*erlaubt sind: \(.*\)\.$/\1/p' | sed 's/, /\n/g'
}
options=$("$program" --help | grep -oE -- '--[a-z0-9][a-z0-9-]*' | sort -u)

# The offers for a line with the cursor at its end, one a line, sorted.
offers() {
    local line=$1
    # Split as readline does for these lines: at blanks and around "=".
    local spaced=${line//=/ = }
    read -ra COMP_WORDS <<<"$spaced"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _taufix_batch
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort
}

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" && touch a.txt b.txt -- -x.txt && mkdir ordner

failed=0
check() {
    local line=$1 expected
    expected=$(printf '%s\n' "$2" | sed '/^$/d' | sort)
    local got
    got=$(offers "$line")
    if [[ "$got" != "$expected" ]]; then
        printf 'FEHLER bei „%s“:\n erwartet: %s\n erhalten: %s\n' "$line" \
            "$(echo $expected)" "$(echo $got)"
        failed=1
    fi
}

check 'taufix-batch --' "$options"
check 'taufix-batch --ca' '--case'
check 'taufix-batch --case ' "$(accepted --case)"
check 'taufix-batch --case=kl' 'klein'
check 'taufix-batch --lead-zeros ' "$(accepted --lead-zeros)"
check 'taufix-batch --sort ' "$(accepted --sort)"
check 'taufix-batch --sort g' 'groesse'
check 'taufix-batch -m ' ''
check 'taufix-batch --start 1' ''
check 'taufix-batch --files-from ' $'-x.txt\na.txt\nb.txt\nordner'
check 'taufix-batch --apply a' 'a.txt'
check 'taufix-batch --apply -- -' '-x.txt'

if ((failed)); then
    exit 1
fi
echo "Vervollständigung: alle Fälle wie erwartet"
