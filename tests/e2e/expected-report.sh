# Sourced by tests/e2e/run: the report files a scenario's PC should leave, built from the row's
# expectation. read_expectation reads the verdicts and the failed checks; expected_report prints
# one product's report as the program writes it, with the measured numbers left as tokens for
# match_report.
# shellcheck shell=bash

# read_expectation NAME EXPECTATION sets verdicts, net and modem.
read_expectation() {
    verdicts="" net=1 modem=1
    local token
    for token in $2; do
        case $token in
        net=*) net=${token#net=} ;;
        modem=*) modem=${token#modem=} ;;
        [SNB][SNB][SNB]) verdicts=$token ;;
        *) die "$1: unknown expectation $token" ;;
        esac
    done
    [ -n "$verdicts" ] || die "$1: no verdicts"
}

# A record is "minimum|status|recommended|pcLevel|moreInfo|shown", as a probe leaves it.
# Measured numbers that can only be checked within a tolerance are the tokens @MHZ@ and @DISK@;
# match_report checks them against the host.
satisfied_cell() {
    if [ "$1" != 0 ]; then
        say '<img SRC="green_check.gif" NOSAVE height=16 width=15> Yes'
    else
        say '<img SRC="red_x.gif" NOSAVE height=16 width=15> No'
    fi
}
link_cell() {
    if [ "$1" = 0 ] && [ -n "$2" ]; then
        say "<td><a href=\"$2\">More Info</a></td>"
    else
        say '<td>&nbsp </td>'
    fi
}
prerequisite_header='<table BORDER WIDTH=100% ><tr><td>Prerequisite</td><td>Prerequisite Satisfied?</td><td>Your PC'"'"'s level</td><td>&nbsp </td></tr>'
recommended_header='<table BORDER WIDTH=100% ><tr><td>Minimum Prerequisite</td><td>Minimum<br>Prerequisite Satisfied?</td><td>Recommended Level</td><td>Your PC'"'"'s level</td><td>&nbsp </td></tr>'

# build_report PRODUCT-NAME VERDICT RECORD... prints the whole report (no newline anywhere).
build_report() {
    local name=$1 verdict=$2 record minimum status recommended level more shown
    shift 2
    printf '%s' '<!doctype html public -//w3c//dtd html 4.0 transitional//en><html><head><meta content=text/html; charset=iso-8859-1><title>PC Status Report</title></head><body>'
    printf '<strong>%s</strong>' "$name"
    if [ "$verdict" = B ]; then
        printf '%s' "$recommended_header"
        for record; do
            IFS='|' read -r minimum status recommended level more shown <<<"$record"
            [ "$status" = 3 ] && [ "$shown" != 0 ] || continue
            printf '<p><p><tr><td>%s</td><td>%s</td><td>%s</td><td>%s</td>%s</tr>' "$minimum" \
                "$(satisfied_cell "$status")" "$recommended" "$level" "$(link_cell "$status" "$more")"
        done
        printf '</table><p><p>'
    fi
    printf '%s' "$prerequisite_header"
    for record; do
        IFS='|' read -r minimum status recommended level more shown <<<"$record"
        [ "$shown" != 0 ] || continue
        [ "$verdict" = B ] && [ "$status" = 3 ] && continue
        printf '<tr><td>%s</td><td>%s</td><td>%s</td>%s</tr></br>' "$minimum" \
            "$(satisfied_cell "$status")" "$level" "$(link_cell "$status" "$more")"
    done
    printf '</table></body></html>'
}

# The records each probe should leave on the arranged PC. Uses the scenario's variables.
level_status() { # measured minimum recommended
    if (($1 < $2)); then say 0; elif (($1 < $3)); then say 3; else say 1; fi
}
memory_record() { # installer|console
    local minimum recommended text="" measured status
    case $pose:$1 in
    nt40:installer | win2k:installer) minimum=96 recommended=128 ;;
    nt40:console | win2k:console) minimum=32 recommended=64 ;;
    *:installer) minimum=16 recommended=96 ;;
    *:console) minimum=16 recommended=32 ;;
    esac
    case $pose in nt40 | win2k) text="$recommended MB RAM" ;; esac
    measured=$(((memory >> 20) + 1))
    status=$(level_status "$measured" "$minimum" "$recommended")
    say "$minimum MB RAM|$status|$text|$measured MB RAM||1"
}
processor_record() {
    case $pose in
    nt40 | win2k) say "Pentium 266 MHz processor    |1|Pentium 266 MHz processor    |Pentium @MHZ@ MHz processor    ||1" ;;
    *) say "Pentium processor|1||Pentium @MHZ@ MHz processor    ||1" ;;
    esac
}
disk_record() { # minimum
    local status=1
    [ "$disk" = small ] && (($1 > 60)) && status=0
    say "$1 MB available space|$status||@DISK@ MB available space||1"
}
cdrom_record() {
    if [ "$cdrom" = 1 ]; then say "CD-ROM drive|1||CD-ROM drive||1"; else say "CD-ROM drive|0||no CD-ROM drive||1"; fi
}
mouse_record() { # Wine always reports a mouse
    case $pose in nt40 | win2k) say "Mouse|1||Mouse||1" ;; *) say "Mouse|1||Mouse||0" ;; esac
}
network_record() {
    local word=DUN page=dunosr298.html minimum="Dial Up Networking (DUN) 1.2"
    case $pose in
    nt40 | win2k) word=RAS page=ras.html minimum="Remote Access Service (RAS)" ;;
    win95) page=dun95.html ;;
    esac
    if [ "$net" = 1 ]; then
        say "$minimum|1||$word installed|$page|1"
    else
        say "$minimum|0||$word not installed|$page|1"
    fi
}
service_pack_record() {
    if [ "$pose" != nt40 ]; then
        say "NT Service Pack 3 or greater|1||Not a WINDOWS NT System - SP3 Not Installed||0"
        return
    fi
    local page=ntsp.html status=1
    [ "$net" = 1 ] || page=rasfirst.html
    local text=${csd:-Service Pack 6a} # what Wine's NT 4.0 reports unless arranged
    case $text in "Service Pack 1" | "Service Pack 2") status=0 ;; esac
    say "NT Service Pack 3 or greater|$status||$text|$page|1"
}
modem_record() {
    local page
    case $pose in nt40) page=ntmodem.html ;; win2k) page=2000modem.html ;; *) page=9598memodem.html ;; esac
    if [ "$net" != 1 ]; then
        page=dunfirst.html
        [ "$pose" = nt40 ] && page=ras.html
    fi
    if [ "$modem" = 1 ]; then
        say "Wardline modem driver |1||driver installed|$page|1"
    else
        say "Wardline modem driver |0||driver not installed|$page|1"
    fi
}
expected_report() { # P|W|L
    case $1 in
    P) build_report Plinth-Setup "${verdicts:0:1}" "$(memory_record installer)" "$(processor_record)" \
        "$(disk_record 70)" "$(cdrom_record)" "$(mouse_record)" "$(network_record)" \
        "$(service_pack_record)" "$(modem_record)" ;;
    W) build_report Wardline "${verdicts:1:1}" "$(memory_record console)" "$(processor_record)" \
        "$(disk_record 50)" "$(cdrom_record)" "$(network_record)" "$(service_pack_record)" \
        "$(modem_record)" ;;
    L) build_report "Wardline LAN" "${verdicts:2:1}" "$(memory_record console)" \
        "$(processor_record)" "$(disk_record 50)" "$(cdrom_record)" ;;
    esac
}
