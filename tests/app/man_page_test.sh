#!/usr/bin/env bash
# Checks that the manual page describes the commands and options that `tessel --help` lists,
# no more and no fewer, and that groff reads the page without a warning.
# Usage: man_page_test.sh TESSEL PAGE
set -euo pipefail

tessel=$1
page=$2

# Terms are command words (lower case) and options; values such as PAPER or x are not terms.
terms() {
    tr ' |,()[]' '\n' | grep -E '^-{0,2}[a-z][a-z-]*$' | sort -u
}

# The help's command column: two spaces, the form, then two spaces or the end of the line.
help_terms() {
    "$tessel" --help | sed -n 's/^  \([a-z-][^ ]*\( [^ ]\+\)*\).*/\1/p' | terms
}

# The page's tags under COMMANDS and OPTIONS; only their bold words are literal.
page_terms() {
    awk '/^\.SH / { keep = ($2 == "COMMANDS" || $2 == "OPTIONS") }
         keep && previous == ".TP" { print }
         { previous = $0 }' "$page" |
        sed 's/\\-/-/g' | grep -o '\\fB[^\\]*\\fR' | sed 's/\\f[BR]//g' | terms
}

status=0
drift=$(comm -3 <(help_terms) <(page_terms))
if [ -n "$drift" ]; then
    echo "FAIL: the help and the manual page differ (left: only in --help; right: only in $page)"
    echo "$drift"
    status=1
fi

warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
    echo "FAIL: groff warns about $page"
    echo "$warnings"
    status=1
fi
[ "$status" -eq 0 ] && echo "the manual page matches --help"
exit "$status"
