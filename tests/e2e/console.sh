# Sourced by tests/e2e/run: the console program's scenarios (console-scenarios.tsv). They arrange
# their PCs with arrange-pc.sh and hold the reports to expected-report.sh and check-results.sh,
# like the dialog's scenarios, so both programs are held to the same verdicts and the same
# report bytes. The console program needs no display.
# shellcheck shell=bash

console_program=$build/PrereqCheckCli.exe

# The verdict letters (S, B, N) that the program's output gives the three products.
console_verdicts() { # output-file json|text
    python3 - "$@" <<'PYTHON'
import json, re, sys
letters = {"satisfied": "S", "below-recommended": "B", "below recommended": "B",
           "not-satisfied": "N", "not satisfied": "N"}
text = open(sys.argv[1], encoding="utf-8").read()
if sys.argv[2] == "json":
    verdicts = [product["verdict"] for product in json.loads(text)["products"]]
else:
    verdicts = re.findall(r"^(?:Plinth-Setup|Wardline|Wardline LAN): (.*?)\r?$", text, re.M)
print("".join(letters.get(verdict, "?") for verdict in verdicts))
PYTHON
}

# The exit code the verdicts call for: 2 when any product is not satisfied, else 1 when any is
# below recommended, else 0.
console_exit_code() {
    case $verdicts in
    *N*) say 2 ;;
    *B*) say 1 ;;
    *) say 0 ;;
    esac
}

run_console_scenario() { # name pose arrangement expectation arguments reports refusal
    read_arrangement "$1" "$2" "$3"
    read_expectation "$1" "$4"
    local refusal=$7 reports format=text code=0 argument before=""
    local -a arguments=()
    for argument in $5; do
        arguments+=("${argument//_/ }")
        [ "$argument" = --json ] && format=json
    done
    arrange_pc "$console_program"
    reports=$c/reports
    mkdir -p "$reports"
    case $6 in
    blocked=*) mkdir "$reports/${6#blocked=}" && before=${6#blocked=} ;;
    -) ;;
    *) die "$name: unknown reports folder $6" ;;
    esac
    (
        cd "$folder"
        env "${environment[@]}" timeout "$scenario_limit" wine 'C:\program\PrereqCheckCli.exe' \
            "${arguments[@]}" >"$dir/console.out" 2>"$dir/console.err"
    ) || code=$?
    stop_pc
    failures=""
    local lines
    lines=$(grep -c '' "$dir/console.err" || true)
    if [ -n "$refusal" ]; then
        [ "$code" = 3 ] || failures+="exit code $code, expected 3"$'\n'
        [ ! -s "$dir/console.out" ] || failures+="printed on standard output"$'\n'
        [ "$lines" = 1 ] && grep -qF -- "$refusal" "$dir/console.err" ||
            failures+="standard error: $(cat "$dir/console.err"); expected one line with: $refusal"$'\n'
        [ "$(ls -A "$reports")" = "$before" ] ||
            failures+="left files in C:\\reports: $(ls "$reports")"$'\n'
    else
        [ "$code" = "$(console_exit_code)" ] ||
            failures+="exit code $code, expected $(console_exit_code)"$'\n'
        [ "$lines" = 0 ] || failures+="standard error: $(cat "$dir/console.err")"$'\n'
        local seen
        seen=$(console_verdicts "$dir/console.out" "$format" 2>&1) || true
        [ "$seen" = "$verdicts" ] || failures+="verdicts $seen, the dialog shows $verdicts"$'\n'
        if [[ " $5 " == *" --reports "* ]]; then
            check_reports "$reports"
        else
            [ -z "$(ls -A "$reports")" ] || failures+="wrote into C:\\reports unasked"$'\n'
        fi
    fi
    # The program never writes into the folder it was started in.
    [ -z "$(ls -A "$folder")" ] || failures+="wrote into the current folder: $(ls "$folder")"$'\n'
    finish_scenario "$reports"
    [ -n "$failures" ] && cp "$dir"/console.* "$artifacts/failed/$name/" 2>/dev/null
    remove_pc
}

# run_console_scenarios PATTERN: every row of console-scenarios.tsv whose name matches.
run_console_scenarios() {
    [ -x "$console_program" ] || cmake --build "$build" --target PrereqCheckCli
    local row_name row_pose row_arrange row_expect row_arguments row_reports row_refusal
    while IFS=$'\t' read -r row_name row_pose row_arrange row_expect row_arguments row_reports \
        row_refusal; do
        [[ -z $row_name || $row_name == \#* ]] && continue
        # shellcheck disable=SC2254
        case $row_name in $1) ;; *) continue ;; esac
        run_console_scenario "$row_name" "$row_pose" "$row_arrange" "$row_expect" \
            "$row_arguments" "$row_reports" "$row_refusal"
    done <"$root/tests/e2e/console-scenarios.tsv"
}
