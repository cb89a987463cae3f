# Sourced by tests/e2e/run: the console program's scenarios (console-scenarios.tsv), on PCs
# arranged by arrange-pc.sh, with reports held to expected-report.sh and check-results.sh like
# the dialog's, so both programs are held to the same verdicts and report bytes. No display.
# shellcheck shell=bash

# The verdict letters (S, B, N) of the three products in the program's output.
console_verdicts() { # output-file json|text
    python3 -c 'import json, re, sys
text = open(sys.argv[1], encoding="utf-8").read()
verdicts = ([p["verdict"] for p in json.loads(text)["products"]] if sys.argv[2] == "json" else
            re.findall(r"^(?:Plinth-Setup|Wardline|Wardline LAN): (.*?)\r?$", text, re.M))
print("".join(v[0].upper() for v in verdicts))' "$@"
}

# The verdicts the console program gives: the dialog's, except that a product below its
# recommended level which also fails a minimum (a cross in its report) is not satisfied.
console_expected_verdicts() {
    local index letter all=""
    for index in 0 1 2; do
        letter=${verdicts:$index:1}
        [[ $letter == B && $(expected_report "${reports_of:$index:1}") == *red_x.gif* ]] && letter=N
        all+=$letter
    done
    printf '%s\n' "$all"
}
reports_of=PWL

run_console_scenario() { # name pose arrangement expectation arguments reports refusal
    read_arrangement "$1" "$2" "$3"
    read_expectation "$1" "$4"
    local refusal=${7:-} format=text code=0 argument before="" want=0 lines seen expected
    local -a arguments=()
    for argument in $5; do
        arguments+=("${argument//_/ }")
        [ "$argument" = --json ] && format=json
    done
    arrange_pc "$console_program"
    local reports=$c/reports
    mkdir -p "$reports"
    case $6 in
    blocked=*) before=${6#blocked=} && mkdir "$reports/$before" ;;
    -) ;;
    *) die "$name: unknown reports folder $6" ;;
    esac
    (cd "$folder" && env "${environment[@]}" timeout "$scenario_limit" \
        "$wine" 'C:\program\PrereqCheckCli.exe' "${arguments[@]}" >"$dir/console.out" 2>"$dir/console.err") ||
        code=$?
    stop_pc
    failures=""
    lines=$(grep -c '' "$dir/console.err" || true)
    if [ -n "$refusal" ]; then
        [ "$code" = 3 ] || failures+="exit code $code, expected 3"$'\n'
        [ ! -s "$dir/console.out" ] || failures+="printed on standard output"$'\n'
        [ "$lines" = 1 ] && grep -qF -- "$refusal" "$dir/console.err" ||
            failures+="standard error: $(cat "$dir/console.err"); expected one line with: $refusal"$'\n'
        [ "$(ls -A "$reports")" = "$before" ] || failures+="left in C:\\reports: $(ls "$reports")"$'\n'
    else
        expected=$(console_expected_verdicts)
        case $expected in *N*) want=2 ;; *B*) want=1 ;; esac
        [ "$code" = "$want" ] || failures+="exit code $code, expected $want"$'\n'
        [ "$lines" = 0 ] || failures+="standard error: $(cat "$dir/console.err")"$'\n'
        seen=$(console_verdicts "$dir/console.out" "$format" 2>&1) || true
        [ "$seen" = "$expected" ] || failures+="verdicts $seen, expected $expected"$'\n'
        if [[ " $5 " == *" --reports "* ]]; then
            check_reports "$reports"
        else
            [ -z "$(ls -A "$reports")" ] || failures+="wrote into C:\\reports unasked"$'\n'
        fi
    fi
    # The program never writes into the folder it was started in.
    [ -z "$(ls -A "$folder")" ] || failures+="wrote into the current folder: $(ls "$folder")"$'\n'
    finish_scenario "$reports"
    [ -z "$failures" ] || cp "$dir"/console.* "$artifacts/failed/$name/"
    remove_pc
}

# run_console_scenarios: every row of console-scenarios.tsv that the run wants.
run_console_scenarios() {
    local row
    while IFS=$'\t' read -r -a row; do
        [[ -z ${row[0]:-} || ${row[0]} == \#* ]] && continue
        if wanted "${row[0]}"; then run_console_scenario "${row[@]}"; fi
    done <"$root/tests/e2e/console-scenarios.tsv"
}
