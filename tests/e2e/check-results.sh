# Sourced by tests/e2e/run: what a scenario left behind, checked. check_dialog compares what
# the driver saw, what the browser was asked to open and what the program printed with the plan;
# check_reports compares the report files in a folder byte for byte with the expected ones, the
# measured numbers within a tolerance of what the host has. Both add to failures, which
# finish_scenario prints.
# shellcheck shell=bash

host_mhz() { awk -F: '/^cpu MHz/ {printf "%d\n", $2 + 2; exit}' /proc/cpuinfo; }
# The program times the processor's counter against the clock. An emulated PC's counter runs
# unevenly, so there PREREQ_E2E_CLOCK_SLACK (percent; 4 on the host) widens the tolerance.
mhz_tolerance() { say $(($(host_mhz) * ${PREREQ_E2E_CLOCK_SLACK:-4} / 100 + 10)); }
free_mb() { # free MB of the file system holding $1, as GetDiskFreeSpaceA counts it
    stat -f -c '%a %S' "$1" | awk '{printf "%d\n", $1 * $2 / 1048576}'
}
pc_free_mb() { # what C: of the PC should show: on the host's disk, the larger of / and C:
    local mb other
    mb=$(free_mb "$c")
    if [ "$disk" = host ]; then
        other=$(free_mb /)
        ((other > mb)) && mb=$other
    fi
    say "$mb"
}

# match_report EXPECTED-FILE ACTUAL-FILE: the fixed text byte for byte; each measured number
# within its tolerance of the host's value. Prints what differs.
within() { # name value expected tolerance
    local difference=$(($2 - $3))
    ((difference < 0)) && difference=$((-difference))
    ((difference <= $4)) || say "$1 is $2, the host has $3 (tolerance $4)"
}
match_report() {
    local template actual token number prefix rest problems="" resolved=""
    template=$(cat "$1")
    actual=$(cat "$2" && printf x) # keeps a trailing newline, which would be a fault
    actual=${actual%x}
    while [[ $template == *@[A-Z]*@* ]]; do
        prefix=${template%%@[A-Z]*}
        rest=${template#"$prefix"@}
        token=${rest%%@*}
        [[ $actual == "$prefix"[0-9]* ]] || break
        template=${rest#"$token"@}
        actual=${actual#"$prefix"}
        number=${actual%%[!0-9]*}
        actual=${actual#"$number"}
        resolved+=$prefix$number
        case $token in
        MHZ) [ -z "$(host_mhz)" ] ||
            problems+=$(within MHz "$number" "$(host_mhz)" "$(mhz_tolerance)") ;;
        DISK) problems+=$(within "free space" "$number" "$disk_mb" "$disk_tolerance") ;;
        esac
    done
    # Whatever did not resolve is compared as it is, so the diff shows where it went wrong.
    printf '%s' "$resolved$template" >"$1.resolved"
    if ! cmp -s "$1.resolved" "$2"; then
        say "report $(basename "$2") differs:"
        diff <(sed 's/></>\n</g' "$1.resolved") <(sed 's/></>\n</g' "$2") | head -20 || true
        return 1
    fi
    [ -z "$problems" ] || {
        say "report $(basename "$2"): $problems"
        return 1
    }
}

# The driver's lines, the browser's log and the program's standard output against the plan.
check_dialog() {
    if ! diff <(printf '%s\n' "${expected[@]}") "$dir/driver.out" >"$dir/driver.diff"; then
        failures+=$'dialog:\n'$(cat "$dir/driver.diff")$'\n'
    fi
    local log=""
    [ -f "$tools/browser.log" ] && log=$(cat "$tools/browser.log")
    local want=""
    ((${#opened[@]})) && want=$(printf '%s\n' "${opened[@]}")
    [ "$log" = "${want%$'\n'}" ] || failures+=$'browser was asked:\n'"$log"$'\nexpected:\n'"$want"$'\n'

    # The launcher names every document it cannot find on standard output.
    local output=""
    [ -f "$tools/program.out" ] && output=$(tr -d '\r' <"$tools/program.out") # text-mode output
    want=""
    ((${#printed[@]})) && want=$(printf '%s\n' "${printed[@]}")
    [ "$output" = "${want%$'\n'}" ] ||
        failures+=$'the program printed:\n'"$output"$'\nexpected:\n'"$want"$'\n'
}

# check_reports FOLDER: each product's report there as the verdicts say, or none where a
# satisfied product, a read-only folder or a held file leaves none.
check_reports() {
    local disk_mb disk_tolerance=4 after spread
    # Other work on this machine changes its disk while the program runs: the figure must lie
    # between what was free before (disk_before, from arrange_pc) and after, within a tolerance.
    after=$(pc_free_mb)
    disk_mb=$(((disk_before + after) / 2))
    spread=$(((disk_before - after) / 2))
    [ "$disk" = host ] && disk_tolerance=$((disk_mb / 100 + 64))
    disk_tolerance=$((disk_tolerance + ${spread#-} + 1))
    case $pose in # GetDiskFreeSpaceA on the Windows 95 family counts at most 2 GB
    win95 | win98) ((disk_mb >= 2047)) && disk_mb=2047 disk_tolerance=0 ;;
    esac
    local products="P:PlinthSetupStatus.htm W:WardlineStatus.htm L:WardlineLANStatus.htm"
    local index=0 product letter file report
    for product in $products; do
        letter=${verdicts:$index:1}
        index=$((index + 1))
        file=${product#*:}
        report=$1/$file
        if [ "$locked" = 1 ] && [ "$file" = PlinthSetupStatus.htm ]; then
            [ "$(cat "$report")" = "stale report" ] || failures+="$file was rewritten while held"$'\n'
        elif [ "$letter" = S ] || [ "$readonly" = 1 ]; then
            [ ! -e "$report" ] || failures+="$file was written"$'\n'
        elif [ ! -f "$report" ]; then
            failures+="$file is missing"$'\n'
        else
            expected_report "${product%%:*}" >"$dir/$file.expected"
            match_report "$dir/$file.expected" "$report" >"$dir/$file.check" ||
                failures+=$(cat "$dir/$file.check")$'\n'
        fi
    done
}

# finish_scenario REPORT-FOLDER counts the scenario and prints its line, with its failures under
# it. The reports of a passed scenario are kept for rendering, a failed one's output for a look.
finish_scenario() {
    if [ -z "$failures" ]; then
        keep_reports "$name" "$1"
        say "ok    $name"
        passed=$((passed + 1))
    else
        say "FAIL  $name"
        printf '%s' "$failures" | sed 's/^/      /'
        mkdir -p "$artifacts/failed/$name"
        cp "$dir"/driver.out "$dir"/wine.err "$artifacts/failed/$name/" 2>/dev/null || true
        cp "$1"/*.htm "$artifacts/failed/$name/" 2>/dev/null || true
        failed=$((failed + 1))
    fi
}
