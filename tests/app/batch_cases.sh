#!/usr/bin/env bash
# Runs the built taufix-batch through scripted cases, each in a fresh folder with its own journal
# and settings place, and holds the transcript (arguments, standard output, standard error and
# exit status of every call) against the one recorded: the program's output must not change by
# a byte. "--record" writes the transcript instead.
set -uo pipefail
program=$(realpath "$1")
expected=$2
record=${3:-}

root=$(realpath "$(mktemp -d)")
trap 'rm -rf "$root"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC

# One call: its arguments, then what it wrote, NULs shown as ^@, a missing last line end told.
tb() {
    echo "\$ taufix-batch ${*@Q}"
    "$program" "$@" >"$root/out" 2>"$root/err"
    local status=$?
    for stream in out err; do
        if [[ -s $root/$stream ]]; then
            echo "[$stream]"
            sed 's/\x00/^@/g' "$root/$stream"
            [[ $(tail -c1 "$root/$stream" | od -An -c) == *'\n'* ]] || echo '[ohne Zeilenende]'
        fi
    done
    echo "[status $status]"
}

# Files named with an optional size (name:bytes) and day of May 2020 (name:bytes:day).
files() {
    for file in "$@"; do
        IFS=: read -r -d '' name size day < <(printf '%s' "$file")
        mkdir -p "$(dirname "$name")"
        head -c "${size:-0}" /dev/zero >"$name"
        touch -d "2020-05-${day:-01} 12:00" "$name"
    done
}

cases=(
    'dry run, sorted by name'
    'files b.txt a.txt sub/c.txt; tb -m "[NAME]_neu[TYP]" b.txt a.txt sub/c.txt'
    'counter, digits, lead zeros, given order, descending ignored'
    'files b.txt a.txt; tb --sort keine --descending -m "[ZAHL][TYP]" --digits 3 --lead-zeros null --start 9 --step 3 b.txt a.txt'
    'sorted by size, by date, by folder and type; a date in the mask'
    'files a.jpg:30:3 b.txt:10:1 d/c.doc:20:2
     tb --sort groesse a.jpg b.txt d/c.doc
     tb --sort datum --descending a.jpg b.txt d/c.doc
     tb --sort ordner a.jpg d/c.doc b.txt
     tb --sort typ --descending a.jpg d/c.doc b.txt
     tb -m "[JAHR]-[MONAT]-[TAG]_[NAME][TYP]" --case gross a.jpg d/c.doc'
    'options that shape the names: counter, lead zeros, case, search and replace'
    'files Urlaub.png foto.JPG
     tb --mask=[ZAHL]_[NAME][TYP] --start 9 --step=3 Urlaub.png foto.JPG
     tb -m[ZAHL][TYP] --digits=4 --lead-zeros=unterstrich Urlaub.png foto.JPG
     tb -m [ZAHL][TYP] --digits 2 --lead-zeros leerzeichen Urlaub.png foto.JPG
     tb -m [ZAHL][TYP] --digits 3 Urlaub.png foto.JPG
     tb -m [ZAHL][TYP] --lead-zeros null --start 0099 Urlaub.png foto.JPG
     tb -m [ZAHL][TYP] --start 123456789 Urlaub.png foto.JPG
     tb --case GROß Urlaub.png foto.JPG
     tb --case=klein Urlaub.png foto.JPG
     tb --case anfangs -m "mein [NAME][TYP]" Urlaub.png foto.JPG
     tb --case Wörter -m "mein-[NAME] (neu)[TYP]" Urlaub.png foto.JPG
     tb --search LAUB --replace lob Urlaub.png foto.JPG
     tb --regex --search "^(.)(.*)O$" --replace "\\2-\\1-\\0" Urlaub.png foto.JPG
     tb --regex --search "(foto" Urlaub.png foto.JPG'
    'apply, undo, the journal list and nothing left to undo'
    'files a.txt b.txt c.txt
     tb --undo --list
     tb --undo
     tb --apply -m "x_[NAME][TYP]" a.txt b.txt
     tb --apply --search c --replace c c.txt
     tb --undo --list
     tb --undo
     tb --undo
     tb --undo --list
     ls'
    'a shift and a swap with --chains, each done and taken back'
    'files file01 file02 file03; echo eins >1.txt; echo zwei >2.txt
     tb -m "file[ZAHL]" --start 2 --digits 2 file01 file02 file03
     tb --chains --apply -m "file[ZAHL]" --start 2 --digits 2 file01 file02 file03
     tb --undo
     tb --chains --apply --sort keine -m "[ZAHL].txt" 2.txt 1.txt; cat 1.txt 2.txt
     tb --undo; cat 1.txt 2.txt; ls'
    'an undo that finds a file gone'
    'files a.txt b.txt; tb --apply -m "n[ZAHL][TYP]" a.txt b.txt; rm n2.txt; tb --undo; ls'
    'conflicts: the same new name, a name taken, names in trouble told before the refusal'
    'files a.txt b.txt x.txt "c
d.txt"
     tb -m "x[TYP]" a.txt b.txt "c
d.txt"
     tb --apply -m "x[TYP]" --digits 99 a.txt
     tb --apply -m "b[TYP]" a.txt; ls
     tb --undo --list'
    'refusals: mask, counter, digits, empty'
    'files a.txt A.TXT
     tb -m ""  a.txt
     tb -m "[FOO" a.txt
     tb -m "[1-300]" a.txt
     tb -m "[ZAHL]" --start 99999999 a.txt A.TXT
     tb -m "[ZAHL][TYP]" --start 100 --digits 2 a.txt
     tb --case gross --digits 0123456789012 a.txt A.TXT
     tb -m ".[TYP]" a.txt
     tb -m "   " a.txt
     tb -m "[1-300]" --digits 99
     tb --digits 99
     tb --apply'
    'skipped paths: folders, missing, duplicates, invalid names, all of them'
    'files a.txt "$(printf "\xff.txt")"; mkdir sub
     tb sub fehlt.txt a.txt ./a.txt "$(printf "\xff.txt")" a.txt
     tb sub fehlt.txt
     mkdir weg && cd weg && rmdir ../weg && tb a.txt "$OLDPWD/a.txt"'
    'bad options and path lists'
    'files a.txt
     tb --apply -m "neu[TYP]" a.txt --frobnicate=1
     tb -0x
     tb --step=-1 a.txt
     tb -m
     tb --case fett
     tb --apply=ja
     tb --list
     tb -m "$(printf "x\xff")" a.txt
     tb --files-from /nirgends/liste a.txt
     head -c 5000 /dev/zero | tr "\0" x | tb --files-from -
     tb --version --frobnicate
     tb -0h --start x
     ls'
    'path lists from a file and standard input, NUL separated, lines ending in CR LF'
    'files a.txt "b c.txt" z.txt " d.txt " "d
e.txt"
     printf "b c.txt\r\n\r\n d.txt \r\n" >liste
     tb --sort keine z.txt --files-from liste a.txt
     printf "b c.txt\0\0d\ne.txt" | tb --sort keine -0 z.txt --files-from=- a.txt
     printf "a.txt\n" | tb --null --files-from - z.txt'
    'print0 for machines, escapes for people'
    'files a.txt "t	b.txt" "\\x.txt"
     tb --print0 -m "n_[NAME][TYP]" a.txt "t	b.txt" "\\x.txt"
     tb -m "n_[NAME][TYP]" "t	b.txt" "\\x.txt"
     tb --apply --print0 -m "n_[NAME][TYP]" a.txt
     tb --undo --print0'
    'a journal that cannot be written'
    'files a.txt; touch "$XDG_STATE_HOME/taufix"; tb --apply -m "x[TYP]" a.txt; tb --undo; tb --undo --list; ls'
    'folders: skipped, or with -r their files, without hidden ones, links to folders or the folders'
    'files a.txt sub/b.txt sub/tief/c.txt sub/.e.txt .v/d.txt; ln -s .. sub/kreis
     tb sub a.txt
     tb -r -m "n_[NAME][TYP]" sub/ .v
     tb --recursive --apply -m "n_[NAME][TYP]" .; find . | sort'
)

transcript() {
    for ((i = 0; i < ${#cases[@]}; i += 2)); do
        local folder=$root/$((i / 2))
        mkdir -p "$folder/files" "$folder/home" "$folder/state" "$folder/config"
        echo "### ${cases[i]}"
        (
            cd "$folder/files" &&
                export HOME=$folder/home XDG_STATE_HOME=$folder/state \
                    XDG_CONFIG_HOME=$folder/config &&
                eval "${cases[i + 1]}" </dev/null 2>&1
        ) | sed "s|$folder/files/|@/|g; s|$folder/|@@/|g"
    done
}

if [[ $record == --record ]]; then
    transcript >"$expected"
    exit 0
fi
if ! diff -u "$expected" <(transcript); then
    echo "FEHLER: taufix-batch antwortet anders als aufgezeichnet"
    exit 1
fi
echo "Skriptfälle: alle Ausgaben wie aufgezeichnet"
