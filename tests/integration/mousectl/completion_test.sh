#!/bin/bash
# The completion parses, and a button's function completes by its text as well as its name.
# $1: the completion file, $2: a built nimba-mousectl.
set -u
source "$1"
for word in Mid ms_1_sc; do
    COMP_WORDS=("$2" button 3 "$word") COMP_CWORD=3
    _nimba_mousectl
    [[ " ${COMPREPLY[*]} " == *' Middle\ click '* || " ${COMPREPLY[*]} " == *' ms_1_scroll '* ]] ||
        { echo "$word: ${COMPREPLY[*]}"; exit 1; }
done
