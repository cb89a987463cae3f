# Sourced by tests/e2e/run: the dialog on an arranged PC, read and pressed by DialogDriver.exe
# as a user would. plan_dialog turns a row's actions into the driver's commands and everything
# the scenario should then see; drive_dialog runs the driver inside a Wine desktop on the run's
# X server, taking the screenshots it asks for.
# shellcheck shell=bash

caption_title=PrereqCheck # the message boxes' caption: the program's base name
scenario_limit=${PREREQ_E2E_TIME_LIMIT:-90} # seconds before a scenario counts as hung

document_of() { # button id -> document name
    case $1 in
    1006) say PlinthSetupStatus.htm ;;
    1007) say WardlineStatus.htm ;;
    1008) say WardlineLANStatus.htm ;;
    1019) say plintherror.html ;;
    esac
}
# The path the launcher uses: the full path when the file is in the current folder then.
document_path() {
    if [ -n "${present[$1]:-}" ]; then say "$folder_win\\$1"; else say "$1"; fi
}
row_line() { # number verdict
    if [ "$2" = S ]; then
        say "row $1 check=shown cross=hidden details=hidden text=Prerequisites satisfied"
    else
        say "row $1 check=hidden cross=shown details=shown text=Prerequisites not satisfied"
    fi
}

# plan_dialog ACTIONS sets commands (the driver's), expected (the lines it should print),
# opened (what the browser should be asked to open) and printed (the program's own output).
plan_dialog() {
    commands=() expected=() opened=() printed=()
    if [ "$locked" = 1 ]; then
        commands+=(hold "$folder_win\\PlinthSetupStatus.htm")
        expected+=("held $folder_win\\PlinthSetupStatus.htm")
    fi
    commands+=(start rows)
    expected+=("dialog shown" "$(row_line 1 "${verdicts:0:1}")" "$(row_line 2 "${verdicts:1:1}")"
        "$(row_line 3 "${verdicts:2:1}")" "help shown")
    # Which documents will be in the current folder when the buttons are pressed.
    local -A present=()
    local product letter file token
    for product in 0:PlinthSetupStatus.htm 1:WardlineStatus.htm 2:WardlineLANStatus.htm; do
        letter=${verdicts:${product%%:*}:1}
        file=${product#*:}
        [ "$letter" != S ] && [ "$readonly" = 0 ] && present[$file]=1
    done
    [ "$locked" = 1 ] && present[PlinthSetupStatus.htm]=1
    [ "$help" = 1 ] && present[plintherror.html]=1
    for token in $1; do
        case $token in
        open:*)
            file=$(document_of "${token#open:}")
            opened+=("\"$browser_win\" \"$(document_path "$file")\"")
            commands+=(click "${token#open:}" browsed "${#opened[@]}" nomsgbox)
            expected+=("click ${token#open:}" "browser started ${#opened[@]}" "msgbox none")
            ;;
        refuse:*)
            file=$(document_of "${token#refuse:}")
            [ -n "${present[$file]:-}" ] || printed+=("$file not found")
            commands+=(click "${token#refuse:}" msgbox)
            expected+=("click ${token#refuse:}"
                "msgbox caption=$caption_title buttons=OK owner=dialog icon=yes text=Details report cannot be opened.  The report is stored file named $(document_path "$file").  You must have an HTML browser installed to view this file.")
            ;;
        shot)
            commands+=(shot "dialog-$name")
            expected+=("shot dialog-$name")
            ;;
        close:*)
            commands+=(close "${token#close:}" wait)
            expected+=("close ${token#close:}" "ended code 0")
            ;;
        *) die "$name: unknown action $token" ;;
        esac
    done
    expected+=("done")
}

# Takes the screenshots the driver asks for while it runs; kills it when the time is up.
supervise() { # pid output tools-dir
    local taken=0 line name deadline=$((SECONDS + scenario_limit))
    while kill -0 "$1" 2>/dev/null; do
        while IFS= read -r line; do
            name=${line#shot }
            import -display "$DISPLAY" -window root "$artifacts/$name.png" 2>/dev/null || true
            touch "$3/$name.done"
            taken=$((taken + 1))
        done < <(grep '^shot ' "$2" | tail -n +$((taken + 1)))
        if ((SECONDS > deadline)); then
            say "time limit of $scenario_limit s reached" >>"$2"
            kill "$1" 2>/dev/null || true
            break
        fi
        sleep 0.2
    done
    wait "$1" 2>/dev/null || true
}

# Runs the driver with the planned commands; its lines go to driver.out, Wine's to wine.err.
# Inside a Wine desktop the driver sees the dialog, and the frame is drawn.
drive_dialog() {
    : >"$dir/driver.out"
    (
        cd "$folder"
        exec env "${environment[@]}" "$wine" explorer /desktop=e2e,800x600 'C:\tools\DialogDriver.exe' \
            'C:\program\PrereqCheck.exe' "${commands[@]}" >"$dir/driver.out" 2>"$dir/wine.err"
    ) &
    supervise $! "$dir/driver.out" "$tools"
}
