#!/usr/bin/env bash
# The man page and the bash completion against the tool itself: the page renders without a
# warning, and both know every command, option and command option the tool's help lists, and
# no command the tool lacks; the page knows every exit status the help lists.
# Usage: man_page_and_completion.sh ZYVODIAG PAGE COMPLETION
set -uo pipefail
tool="$1"
page="$2"
completion="$3"
# shellcheck source=check_helpers.sh
source "$(dirname "$0")/check_helpers.sh"

zyvodiag() {
    "${run[@]}" "$tool" "$@"
}

# Whether two sorted lists, one item a line, are the same; else what each lacks.
expect_same() {
    local what="$1" expected="$2" found="$3" missing extra
    missing=$(comm -23 <(echo "$expected") <(echo "$found") | tr '\n' ' ')
    extra=$(comm -13 <(echo "$expected") <(echo "$found") | tr '\n' ' ')
    [[ -z "$missing" ]] || fail "$what lacks: $missing"
    [[ -z "$extra" ]] || fail "$what has what zyvodiag has not: $extra"
}

if ! lint=$(mandoc -T lint -W style "$page" 2>&1) || [[ -n "$lint" ]]; then
    fail "mandoc finds fault with the man page: $lint"
fi

help=$(zyvodiag --help) || fail "zyvodiag --help failed"
commands=$(sed -n '/^commands:/,/^$/p' <<<"$help" | awk 'NR > 1 && NF { print $1 }' | sort)
options=$(sed -n '/^options:/,/^$/p' <<<"$help" | grep -oE '^  --[a-z-]+' | tr -d ' ' | sort)
[[ $(wc -l <<<"$commands") -gt 20 && -n "$options" ]] || fail "cannot read zyvodiag --help"

# What the completion offers for the words of a command line, the last one being completed.
# shellcheck source=/dev/null
source "$completion"
function=$(complete -p zyvodiag | grep -oE -- '-F [^ ]+' | cut -c4-)
offers() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    "$function" zyvodiag "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" || true
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

page_commands=$(awk '/^\.Sh / { inside = ($2 == "COMMANDS") } inside && /^\.It Cm / { print $3 }' \
    "$page" | sort)
expect_same "the man page's COMMANDS" "$commands" "$page_commands"
expect_same "the completion of 'zyvodiag '" "$commands" "$(offers zyvodiag '')"

for option in $options; do
    grep -qE "^\.It Fl \\\\${option#-}( |$)" "$page" || fail "the man page's OPTIONS lack $option"
done
statuses=$(sed -n '/^exit status:/,$p' <<<"$help" | grep -oE '(^|[ ,])[0-9]+ [a-z]' | tr -dc '0-9\n')
[[ -n "$statuses" ]] || fail "cannot read the exit statuses of zyvodiag --help"
for status in $statuses; do
    awk '/^\.Sh / { inside = ($2 == "EXIT") } inside' "$page" | grep -qx "\.It $status" ||
        fail "the man page's EXIT STATUS lacks $status"
done
top_offers=$(offers zyvodiag --)
missing=$(comm -23 <(echo "$options") <(echo "$top_offers") | tr '\n' ' ')
[[ -z "$missing" ]] || fail "the completion of 'zyvodiag --' lacks: $missing"

# Each command's own options, as its -h lists them.
for command in $commands; do
    own=$(zyvodiag "$command" -h | grep -oE '^  --[a-z-]+' | tr -d ' ' | sort)
    expect_same "the completion of 'zyvodiag $command --'" "$own" "$(offers zyvodiag "$command" --)"
    for option in $own; do
        grep -qE "Fl \\\\${option#-}( |$)" "$page" || fail "the man page lacks $command $option"
    done
done

# Option values: benches and directories for --sim, directories for --keep, any file for --png
# and --junit.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/benches"
touch "$scratch/lab.bench" "$scratch/notes.txt"
benches=$(printf '%s\n' "$scratch/benches" "$scratch/lab.bench")
files=$(printf '%s\n' "$benches" "$scratch/notes.txt")
expect_same "the completion of --sim" "$benches" "$(offers zyvodiag --sim "$scratch/")"
expect_same "the completion of --sim=" "$benches" "$(offers zyvodiag --sim = "$scratch/")"
expect_same "the completion after --sim=FILE" "$commands" "$(offers zyvodiag --sim = lab.bench '')"
expect_same "the completion of --keep" "$scratch/benches" \
    "$(offers zyvodiag selftest --keep "$scratch/")"
expect_same "the completion of --png" "$files" "$(offers zyvodiag view frame.raw --png "$scratch/")"
expect_same "the completion of --junit" "$files" "$(offers zyvodiag selftest --junit "$scratch/")"
expect_same "the completion of --color=" "$(printf '%s\n' always auto never)" \
    "$(offers zyvodiag --color = '')"

# The values of the library's switches, against what zyvodiag list says the parser takes.
listed=$(zyvodiag list)
section() {
    sed -n "/^$1/,/^\$/p" <<<"$listed" | awk -v prefix="$2" 'NR > 1 && NF { print prefix $1 }' | sort
}
expect_same "the completion of -p" "$(section 'test patterns' -p)" "$(offers zyvodiag output -p)"
expect_same "the completion of -v" "$(section 'pixel formats' -v)" "$(offers zyvodiag output -v)"
expect_same "the completion of -f" \
    "$(grep -oE '^-f[0-9]+' <<<"$listed" | sort)" "$(offers zyvodiag output -f)"
expect_same "the completion of -r" \
    "$(grep -m1 -oE -- '-r[0-9]+' <<<"$listed" >/dev/null && sed -n 3p <<<"$listed" |
        grep -oE -- '-r[0-9]+' | sort)" "$(offers zyvodiag output -r)"

# The test names of the plan for --only and --skip, the tool on the command line listing them.
plan=$(zyvodiag selftest --list | grep -E '^ *[0-9]+  ' | sed -E 's/^ *[0-9]+  (.*[^ ]) +[a-z0-9-]+ *$/\1/' | sort)
[[ $(wc -l <<<"$plan") -gt 10 ]] || fail "cannot read zyvodiag selftest --list"
zyvodiag_on_path=$(mktemp -d)
printf '#!/bin/sh\nexec %s "$@"\n' "${run[*]} $tool" >"$zyvodiag_on_path/zyvodiag"
chmod +x "$zyvodiag_on_path/zyvodiag"
for option in --only --skip; do
    expect_same "the completion of $option" "$plan" \
        "$(PATH="$zyvodiag_on_path:$PATH" offers zyvodiag selftest "$option" '')"
done
rm -rf "$zyvodiag_on_path"

finish "man page and completion know every command and option of zyvodiag"
