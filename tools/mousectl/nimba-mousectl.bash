# bash completion for nimba-mousectl: commands, settings, and the names of profiles, macros and
# button functions, asked of the tool being completed (it reads the stores of its own folder).

# Offers the field `field` (1-based, tab-separated) of each line the tool prints for `$@`.
_nimba_mousectl_names() {
    local field=$1 name
    shift
    while IFS= read -r name; do
        [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <("${COMP_WORDS[0]}" "$@" 2>/dev/null | cut -f "$field")
}

_nimba_mousectl_words() {
    mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur")
}

_nimba_mousectl() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local command=${COMP_WORDS[1]}
    local n=$((COMP_CWORD - 1)) # the place of the current word after the command
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        _nimba_mousectl_words "show profiles macros functions set button use add rename
            delete reset import export macro-import macro-export apply status watch reports
            programs program-rule
            --help --version"
        return
    fi
    if [[ $cur == -* ]]; then
        case $command in
            show | profiles | macros | programs | status) _nimba_mousectl_words "--json --help" ;;
            set | button | use | add | delete | reset) _nimba_mousectl_words "--apply --help" ;;
            watch) _nimba_mousectl_words "--raw --help" ;;
            program-rule) _nimba_mousectl_words "--remove --help" ;;
            *) _nimba_mousectl_words "--help" ;;
        esac
        return
    fi

    case $command in
        show | use | delete | reset | rename | export)
            ((n == 1)) && _nimba_mousectl_names 2 profiles
            ;;
        macro-export)
            ((n == 1)) && _nimba_mousectl_names 1 macros
            ;;
        program-rule)
            ((n == 1)) && _nimba_mousectl_names 1 programs
            ((n == 2)) && _nimba_mousectl_names 2 profiles
            ;;
        set)
            local setting=${COMP_WORDS[2]}
            if ((n == 1)); then
                _nimba_mousectl_words "dpi stage stage-enabled dpi-colour rate light light-ble
                    brightness speed light-colour sleep light-off debounce lift-off ripple
                    angle-snap"
            elif ((n == 2)); then
                case $setting in
                    dpi | stage | stage-enabled | dpi-colour) _nimba_mousectl_words "1 2 3 4 5 6 7 8" ;;
                    rate) _nimba_mousectl_words "125 250 500 1000" ;;
                    light | light-ble) _nimba_mousectl_words "0 1 2 3 4 5 6 7 8 9 10 11" ;;
                    lift-off) _nimba_mousectl_words "on off low high" ;;
                    ripple | angle-snap) _nimba_mousectl_words "on off" ;;
                esac
            elif ((n == 3)) && [[ $setting == stage-enabled ]]; then
                _nimba_mousectl_words "on off"
            fi
            ;;
        button)
            local kind=${COMP_WORDS[3]}
            if ((n == 1)); then
                _nimba_mousectl_words "1 2 3 4 5 6 7 8 9 10 11 12"
            elif ((n == 2)); then
                _nimba_mousectl_words "default key macro"
                # A function is taken by its name and by the text the page shows for it.
                _nimba_mousectl_names 1 functions
                _nimba_mousectl_names 2 functions
            elif ((n == 3)) && [[ $kind == macro ]]; then
                _nimba_mousectl_names 2 macros
            elif ((n == 4)) && [[ $kind == macro ]]; then
                _nimba_mousectl_words "once repeat hold toggle"
            fi
            ;;
    esac
}

# File names where nothing else fits: import, reports, the files of export.
complete -o default -F _nimba_mousectl nimba-mousectl
