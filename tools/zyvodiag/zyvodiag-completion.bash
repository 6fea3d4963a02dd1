# bash completion for zyvodiag: its options, commands, each command's own options, and files.
# Installed as share/bash-completion/completions/zyvodiag; needs nothing but bash.

# COMPREPLY from compgen, one candidate a line, so that file names keep their blanks.
_zyvodiag_reply() {
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen "$@")
}

_zyvodiag() {
    local cur="${COMP_WORDS[COMP_CWORD]}"
    local prev="${COMP_WORDS[COMP_CWORD - 1]}"
    local commands="parse audio open setup generate output monitor capture-pattern capture save
        compare hdmi-output hdmi-capture hdmi-loopback ltc-get ltc-set ltc-mode ltc-rate ltc-test
        genlock lcd sim-reset list view selftest"
    COMPREPLY=()
    # bash splits --option=VALUE at the equals sign.
    if [[ "$cur" == "=" ]]; then
        cur=""
    elif [[ "$prev" == "=" ]]; then
        prev="${COMP_WORDS[COMP_CWORD - 2]}"
    fi

    # An option's value: a bench, a directory, or a file to write.
    case "$prev" in
    --sim)
        compopt -o filenames 2>/dev/null
        _zyvodiag_reply -f -X '!*.bench' -- "$cur"
        _zyvodiag_reply -d -- "$cur"
        return
        ;;
    --device)
        return
        ;;
    --keep | --html)
        compopt -o filenames 2>/dev/null
        _zyvodiag_reply -d -- "$cur"
        return
        ;;
    --json | --junit | --png | --diff-png)
        compopt -o filenames 2>/dev/null
        _zyvodiag_reply -f -- "$cur"
        return
        ;;
    --color)
        _zyvodiag_reply -W "always auto never" -- "$cur"
        return
        ;;
    --only | --skip)
        # The test names of the plan, as the tool lists them; a name's blanks stay in it.
        local IFS=$'\n'
        compopt -o filenames 2>/dev/null
        _zyvodiag_reply -W "$("${COMP_WORDS[0]}" selftest --list 2>/dev/null |
            sed -nE 's/^ *[0-9]+  (.*[^ ]) +[a-z0-9-]+ *$/\1/p')" -- "$cur"
        return
        ;;
    --device)
        _zyvodiag_reply -W "0 1 2 3" -- "$cur"
        return
        ;;
    esac
    # The values of the library's switches, glued to them as the library reads them.
    case "$cur" in
    -p*)
        _zyvodiag_reply -P -p -W "$(seq 0 15)" -- "${cur#-p}"
        ;;
    -v*)
        _zyvodiag_reply -P -v -W "1 2 4 5 23" -- "${cur#-v}"
        ;;
    -f*)
        _zyvodiag_reply -P -f -W "1 2 3 4 5 6 7 19 24" -- "${cur#-f}"
        ;;
    -r*)
        _zyvodiag_reply -P -r -W "23 24 25 29 30 47 48 50 59 60" -- "${cur#-r}"
        ;;
    esac
    [[ ${#COMPREPLY[@]} -gt 0 ]] && return

    # The command is the first word that is neither an option nor the value of --sim or --device.
    local command="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case "${COMP_WORDS[i]}" in
        --sim | --color | --device)
            if [[ "${COMP_WORDS[i + 1]}" == "=" ]]; then
                ((i += 2))
            else
                ((i += 1))
            fi
            ;;
        -*) ;;
        *)
            command="${COMP_WORDS[i]}"
            break
            ;;
        esac
    done

    if [[ -z "$command" ]]; then
        if [[ "$cur" == -* ]]; then
            _zyvodiag_reply -W "--sim --trace --help --version --allow-fallback --quiet --color
                --device --" -- "$cur"
        else
            _zyvodiag_reply -W "$commands" -- "$cur"
        fi
        return
    fi

    local options=""
    case "$command" in
    setup) options="--inputs" ;;
    monitor) options="--sdi --hdmi" ;;
    compare) options="--diff-png --json" ;;
    view) options="--png --waveform --vectorscope" ;;
    list) options="--json" ;;
    selftest) options="--json --junit --html --keep --only --skip --repeat --stop-on-fail --list" ;;
    esac
    if [[ "$cur" == --* ]]; then
        _zyvodiag_reply -W "$options" -- "$cur"
        return
    fi
    case "$command" in
    ltc-mode) _zyvodiag_reply -W "in out" -- "$cur" ;;
    ltc-rate) _zyvodiag_reply -W "23 24 25 29 30 47 48 50 59 60" -- "$cur" ;;
    audio | open | sim-reset | list | selftest) ;;
    *)
        # The frame files of a video command line.
        compopt -o filenames 2>/dev/null
        _zyvodiag_reply -f -- "$cur"
        ;;
    esac
}
complete -F _zyvodiag zyvodiag
