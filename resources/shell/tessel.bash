# bash completion for tessel: commands, paper ids, shortcut names and options.

# The first tab-separated field of each line a tessel listing prints.
_tessel_first_fields() {
    "${COMP_WORDS[0]}" "$@" 2>/dev/null | cut -f1
}

# Replies one a line, so file names with spaces stay whole.
_tessel_reply() {
    mapfile -t COMPREPLY < <(compgen "$@")
}

_tessel_files() {
    compopt -o filenames 2>/dev/null
    _tessel_reply -f -- "$1"
}

# The words that may follow COMMAND SUBCOMMAND at position INDEX.
_tessel_words() {
    local command=$1 sub=$2 index=$3
    case $index:$command in
    1:*) echo settings paper export export-paper import sun shortcut on off snooze \
        resume focus-filter status rest art --help --version ;;
    2:settings) echo show set ;;
    2:paper) echo list; _tessel_first_fields paper list ;;
    2:export) echo tile field preview ;;
    2:export-paper) _tessel_first_fields paper list ;;
    2:shortcut) echo list set clear run ;;
    2:focus-filter) echo on off ;;
    3:export) _tessel_first_fields paper list ;;
    3:shortcut) [[ $sub == set || $sub == clear || $sub == run ]] && _tessel_first_fields shortcut list ;;
    *:settings) [[ $sub == show ]] && echo --file ;;
    *:paper) [[ $sub != list ]] && echo --gsm ;;
    *:export)
        case $sub in
        tile) echo --gsm --night -o ;;
        field) echo --size -o ;;
        preview) echo -o ;;
        esac
        ;;
    *:sun) echo --lat --lon --place --date ;;
    *:focus-filter) echo --paper ;;
    esac
}

_tessel() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command=${COMP_WORDS[1]-}
    COMPREPLY=()
    case $prev in
    -o | --file)
        _tessel_files "$cur"
        return
        ;;
    --paper)
        _tessel_reply -W "$(_tessel_first_fields paper list)" -- "$cur"
        return
        ;;
    --gsm | --size | --lat | --lon | --place | --date) return ;;
    esac
    if [[ $command == import || ($command == export-paper && COMP_CWORD -eq 3) ]]; then
        _tessel_files "$cur"
        return
    fi
    _tessel_reply -W "$(_tessel_words "$command" "${COMP_WORDS[2]-}" "$COMP_CWORD")" -- "$cur"
}

complete -F _tessel tessel
