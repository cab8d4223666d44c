#!/usr/bin/env bash
# Completes tessel command lines with the bash completion, as bash would, and checks the
# replies. Usage: completion_test.sh TESSEL COMPLETION
set -uo pipefail

tessel=$1
# shellcheck source=/dev/null
source "$2"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TESSEL_CONFIG_DIR=$scratch/config
# No running Tessel may take the import below: it changes the scratch settings instead.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/no-bus
touch "$scratch/a paper.tessel"
"$tessel" export-paper graph "$scratch/graph.tessel"
own=$("$tessel" import "$scratch/graph.tessel")

# The sorted replies for LINE, whose last word (empty after a trailing space) is completed.
replies() {
    local -a COMP_WORDS
    read -ra COMP_WORDS <<<"$1"
    if [[ $1 == *' ' ]]; then
        COMP_WORDS+=('')
    fi
    COMP_WORDS[0]=$tessel
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _tessel
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

# The commands `tessel --help` lists: the first word of each alternative in its command column.
help_commands() {
    "$tessel" --help | sed -n 's/^  \([a-z-][^ ]*\( [^ ]\+\)*\).*/\1/p' | sed 's/ | /\n/g' |
        cut -d' ' -f1 | grep -E '^[a-z]' | sort -u | paste -sd' '
}

cases=(
    "tessel sett|settings"
    "tessel settings |set show"
    "tessel settings show |--file"
    "tessel export |field preview tile"
    "tessel export tile gr|graph"
    "tessel export tile graph -|--gsm --night -o"
    "tessel export field graph --|--size"
    "tessel export preview graph -o $scratch/a|$scratch/a paper.tessel"
    "tessel paper l|laid linen list"
    "tessel export-paper ${own:0:8}|$own"
    "tessel paper graph |--gsm"
    "tessel paper graph --gsm |"
    "tessel paper list |"
    "tessel focus-filter |off on"
    "tessel focus-filter on --paper ko|kozo"
    "tessel shortcut set f|focusSheet"
    "tessel shortcut list |"
    "tessel sun --l|--lat --lon"
    "tessel import $scratch/a|$scratch/a paper.tessel"
    "tessel export-paper g|gampi graph"
    "tessel snooze |"
    "tessel --v|--version"
)

failures=0
for case in "${cases[@]}"; do
    line=${case%|*}
    want=${case##*|}
    got=$(replies "$line")
    if [[ $got != "$want" ]]; then
        echo "FAIL: '$line' completes to '$got', not '$want'"
        failures=$((failures + 1))
    fi
done

offered=$(replies "tessel " | tr ' ' '\n' | grep -v '^-' | paste -sd' ')
listed=$(help_commands)
if [[ $offered != "$listed" ]]; then
    echo "FAIL: completion offers the commands '$offered'; --help lists '$listed'"
    failures=$((failures + 1))
fi

echo "completion: $((${#cases[@]} + 1 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
