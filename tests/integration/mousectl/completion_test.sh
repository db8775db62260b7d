#!/bin/bash
# The completion parses, and a button's function completes by its text as well as its name.
# $1: the completion file, $2: a built nimba-mousectl.
set -u
source "$1"
for pair in 'Mid Middle\ click' 'ms_1_sc ms_1_scroll'; do
    COMP_WORDS=("$2" button 3 "${pair%% *}") COMP_CWORD=3
    _nimba_mousectl
    [[ " ${COMPREPLY[*]} " == *" ${pair#* } "* ]] || { echo "$pair: ${COMPREPLY[*]}"; exit 1; }
    for reply in "${COMPREPLY[@]}"; do
        [[ $reply == "${pair%% *}"* ]] || { echo "${pair%% *} offers $reply"; exit 1; }
    done
done
