#!/usr/bin/env bash
# Completes taufix-batch command lines as bash would and compares the offers. Which options and
# words the built completion names is held against the parser by BatchOptionDocs.
set -uo pipefail
completion=$1

source /usr/share/bash-completion/bash_completion
source "$completion"
# Outside a real completion bash refuses compopt; what it would set does not matter here.
compopt() { :; }

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

check 'taufix-batch --ca' '--case'
check 'taufix-batch --case=kl' 'klein'
check 'taufix-batch --sort g' 'groesse'
check 'taufix-batch --help ' ''
check 'taufix-batch -m ' ''
check 'taufix-batch --start 1' ''
check 'taufix-batch --files-from ' $'-x.txt\na.txt\nb.txt\nordner'
check 'taufix-batch --apply a' 'a.txt'
check 'taufix-batch --apply -- -' '-x.txt'

if ((failed)); then
    exit 1
fi
echo "Vervollständigung: alle Fälle wie erwartet"
