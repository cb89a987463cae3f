# Sourced by tests/e2e/run: the console program's scenarios (console-scenarios.tsv), on PCs
# arranged by arrange-pc.sh, with reports held to expected-report.sh and check-results.sh like
# the dialog's, so both programs are held to the same verdicts and report bytes. No display.
# shellcheck shell=bash

# The verdict letters (S, B, N) of the three products in the program's output (JSON in UTF-8, a
# table in Windows-1252).
console_verdicts() { # output-file json|text
    python3 -c 'import json, re, sys
text = open(sys.argv[1], encoding="utf-8" if sys.argv[2] == "json" else "cp1252",
            errors="replace").read()
verdicts = ([p["verdict"] for p in json.loads(text)["products"]] if sys.argv[2] == "json" else
            re.findall(r"^(?:Plinth-Setup|Wardline|Wardline LAN): (.*?)\r?$", text, re.M))
print("".join(v[0].upper() for v in verdicts))' "$@"
}

# The result file that --json-to wrote into FOLDER: the only file there, named after the
# computer in it (its ANSI bytes in the PC's code page) as the README says, with the arranged
# computer name, the expected verdicts, the same bytes as standard output when that is JSON too,
# and the arranged service-pack text in UTF-8. Prints what is wrong.
console_result_problems() { # folder output-file json|text verdicts service-pack-text code-page computer
    python3 -c 'import json, os, sys
folder, output, form, verdicts, csd, codepage, arranged = sys.argv[1:]
files = os.listdir(folder)
data = open(os.path.join(folder, files[0]), "rb").read() if files else b"{}"
try:
    document = json.loads(data.decode("utf-8"))
    computer = document["computer"].encode("cp" + codepage)
    seen = "".join(p["verdict"][0].upper() for p in document["products"])
except (ValueError, KeyError) as error:
    sys.exit("result file %s: %s" % (files, error))
name = "".join(chr(b) if chr(b).isascii() and (chr(b).isalnum() or b == 45) else "_%02X" % b
               for b in computer) + ".json"
if files != [name]: print("files %s in the result folder, expected only %s" % (files, name))
if arranged and document["computer"] != arranged: print("computer %s, expected %s" % (document["computer"], arranged))
if seen != verdicts: print("result file verdicts %s, expected %s" % (seen, verdicts))
if form == "json" and data != open(output, "rb").read(): print("result file is not standard output")
if csd not in data.decode("utf-8"): print("result file lacks the service-pack text " + csd)' "$@"
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

# A collector reading FILE in C:\reports: it is held open, with no sharing, until the PC stops.
hold_in_reports() { # file
    env "${environment[@]}" "$wine" 'C:\tools\FileHolder.exe' "C:\\reports\\$1" &
    local tries=0
    while env "${environment[@]}" "$wine" cmd /c type "C:\\reports\\$1" >/dev/null 2>&1; do
        ((++tries < 40)) || die "$name: $1 is not held"
        sleep 0.25
    done
}

run_console_scenario() { # name pose arrangement expectation arguments reports refusal
    read_arrangement "$1" "$2" "$3"
    read_expectation "$1" "$4"
    local refusal=${7:-} format=text code=0 argument before="" want=0 lines seen expected longest problems
    local -a arguments=()
    for argument in $5; do
        arguments+=("${argument//_/ }")
        [ "$argument" = --json ] && format=json
    done
    arrange_pc "$console_program" "$helpers"/FileHolder.exe
    local reports=$c/reports ansi=$csd
    mkdir -p "$reports"
    case $6 in
    folder=*) ansi=${6#folder=} && ansi=${ansi//_/ } && reports+=/$ansi && mkdir "$reports" ;;
    share) mkdir -p "$prefix/dosdevices/unc/server" && ln -s ../../../drive_c/reports "$prefix/dosdevices/unc/server/results" ;;
    blocked=*) before=${6#blocked=} && mkdir "$reports/$before" ;;
    file=*) before=${6#file=} && printf 'not a folder' >"$reports/$before" ;;
    held=*) before=${6#held=} && printf 'from before' >"$reports/$before" ;;
    -) ;;
    *) die "$name: unknown reports folder $6" ;;
    esac
    [[ $6 != held=* ]] || hold_in_reports "$before"
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
        [[ $6 != held=* ]] || [ "$(cat "$reports/$before")" = "from before" ] ||
            failures+="the held result changed"$'\n'
    else
        expected=$(console_expected_verdicts)
        case $expected in *N*) want=2 ;; *B*) want=1 ;; esac
        [ "$code" = "$want" ] || failures+="exit code $code, expected $want"$'\n'
        [ "$lines" = 0 ] || failures+="standard error: $(cat "$dir/console.err")"$'\n'
        seen=$(console_verdicts "$dir/console.out" "$format" 2>&1) || true
        [ "$seen" = "$expected" ] || failures+="verdicts $seen, expected $expected"$'\n'
        if [ "$format" = text ]; then
            # A file gets the ANSI bytes, and no line is wider than a console allows.
            [ -z "$ansi" ] || grep -qaF -- "$(printf '%s' "$ansi" | iconv -f UTF-8 -t "WINDOWS-$codepage")" "$dir/console.out" ||
                failures+="standard output lacks '$ansi' in Windows-$codepage"$'\n'
            longest=$(LC_ALL=C awk '{ sub(/\r$/, "") } length > n { n = length } END { print n + 0 }' "$dir/console.out")
            printf '%s\t%s\n' "$name" "$longest" >>"$artifacts/console-line-widths.tsv"
            ((longest <= 79)) || failures+="a table line of $longest characters"$'\n'
        fi
        if [[ " $5 " == *" --reports "* ]]; then
            check_reports "$reports"
        elif [[ " $5 " == *" --json-to "* ]]; then
            problems=$(console_result_problems "$reports" "$dir/console.out" "$format" "$expected" "$csd" "$codepage" "$computer")
            [ -z "$problems" ] || failures+=$problems$'\n'
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

# Runs the row of that name unless it has kept its result (a --json-to row that passed).
keep_result_of() { # row-name
    local row
    ls "$artifacts/reports/$1"/*.json >/dev/null 2>&1 && return 0
    while IFS=$'\t' read -r -a row; do
        [ "${row[0]:-}" != "$1" ] || run_console_scenario "${row[@]}"
    done <"$root/tests/e2e/console-scenarios.tsv"
}

# What is wrong with the fleet summary written into FOLDER from the results given, and the
# broken file beside them: the files, every computer on the page, the broken file listed by
# name with its reason, every section in its order, a spreadsheet line per computer, product and
# failing prerequisite and one per computer not reported, each ending in CR LF; a history line.
fleet_problems() { # folder output-file broken-file reason result...
    python3 -c 'import json, os, sys
folder, output, broken, reason = sys.argv[1:5]
results = [json.load(open(f, encoding="utf-8")) for f in sys.argv[5:]]
page = open(os.path.join(folder, "FleetStatus.htm"), "rb").read().decode("ascii")
csv = open(os.path.join(folder, "FleetStatus.csv"), "rb").read()
for r in results:
    if r["computer"] not in page: print("page lacks " + r["computer"])
if "<tr><td>%s</td><td>%s</td></tr>" % (broken, reason) not in page:
    print("page does not list %s with the reason %s" % (broken, reason))
sections = ["<p><b>Computers: ", "<td>Total</td>", "<strong>History</strong>",
            "<strong>What must be done</strong>", "<strong>Not reported (1)</strong>\n<p>NEVER-SEEN",
            "<strong>Files that could not be used", "<strong>Computers not satisfied"]
at = [page.find(section.replace("\n", "\r\n")) for section in sections]
if -1 in at or at != sorted(at):
    print("page sections missing or out of order: %s" % at)
if not page.startswith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"):
    print("page is not HTML 3.2")
history = open(os.path.join(folder, "FleetHistory.csv"), "rb").read().split(b"\r\n")
if len(history) != 3: print("history has %d lines, not a header and one" % (len(history) - 1))
lines = csv.split(b"\r\n")
if lines[-1] or any(b"\n" in line or b"\r" in line for line in lines):
    print("spreadsheet lines do not all end in CR LF")
failing = lambda p: sum(1 for e in p["prerequisites"] if e["status"] != "satisfied")
if len(lines) - 2 != sum(max(1, failing(p)) for r in results for p in r["products"]) + 1:
    print("spreadsheet has %d records" % (len(lines) - 2))
for picture in ("green_check.gif", "red_x.gif"):
    if not os.path.exists(os.path.join(folder, picture)): print("no " + picture + " beside the page")
counts = "Result files read in C:\\reports: %d (computers: %d, files not used: 1)" % (
    len(results) + 1, len(results))
if counts not in open(output, encoding="cp1252").read(): print("standard output lacks " + counts)
' "$@"
}

# A fleet row: the results that the rows named after "fleet=" kept, and one of them cut short as
# BROKEN.json, in C:\reports; --summary there must write both files, exit with 0 and say so; the
# page is drawn as the browser shows it (fleet-status.png beside the other renderings).
run_fleet_scenario() { # name pose arrangement expectation arguments fleet=ROW,ROW...
    local sources=${6#fleet=} source kept code=0
    local -a results=()
    for source in ${sources//,/ }; do
        keep_result_of "$source"
        kept=$(ls "$artifacts/reports/$source"/*.json 2>/dev/null | head -n1)
        [ -z "$kept" ] || results+=("$kept")
    done
    read_arrangement "$1" "$2" "$3"
    arrange_pc "$console_program"
    cp "$pictures/green_check.gif" "$pictures/red_x.gif" "$c/program/" # beside it, as in the bundle
    local reports=$c/reports problems
    mkdir -p "$reports"
    failures=""
    ((${#results[@]} >= 3)) || failures+="only ${#results[@]} results from $sources"$'\n'
    cp "${results[@]}" "$reports/"
    head -c 200 "${results[0]}" >"$reports/BROKEN.json" # a copy cut short on the network
    # The expected computers as net view lists them, and one that never reported.
    python3 -c 'import json, sys
print("Server Name            Remark\r\n\r\n" + "-" * 79 + "\r")
for f in sys.argv[1:]: print("\\\\%-21s\r" % json.load(open(f, encoding="utf-8"))["computer"])
print("\\\\NEVER-SEEN            Stores\r\nThe command completed successfully.\r")' "${results[@]}" \
        >"$reports/expected.txt"
    (cd "$folder" && env "${environment[@]}" timeout "$scenario_limit" \
        "$wine" 'C:\program\PrereqCheckCli.exe' $5 >"$dir/console.out" 2>"$dir/console.err") ||
        code=$?
    stop_pc
    [ "$code" = 0 ] || failures+="exit code $code, expected 0"$'\n'
    [ ! -s "$dir/console.err" ] || failures+="standard error: $(cat "$dir/console.err")"$'\n'
    if [ -f "$reports/FleetStatus.htm" ] && [ -f "$reports/FleetStatus.csv" ]; then
        problems=$(fleet_problems "$reports" "$dir/console.out" BROKEN.json \
            "ends early (truncated?) at byte 200" "${results[@]}")
        [ -z "$problems" ] || failures+=$problems$'\n'
        if command -v chromium >/dev/null; then
            rm -f "$artifacts/fleet-status.png"
            render_report "$reports/FleetStatus.htm" fleet-status 1000,1000
            [ -s "$artifacts/fleet-status.png" ] || failures+="chromium drew no fleet-status.png"$'\n'
        fi
    else
        failures+="FleetStatus.htm or FleetStatus.csv not written"$'\n'
    fi
    [ -z "$(ls -A "$folder")" ] || failures+="wrote into the current folder: $(ls "$folder")"$'\n'
    finish_scenario "$reports"
    [ -z "$failures" ] || cp "$dir"/console.* "$reports"/Fleet* "$artifacts/failed/$name/" 2>/dev/null
    remove_pc
}

# run_console_scenarios: every row of console-scenarios.tsv that the run wants. The longest
# table line of each run goes to console-line-widths.tsv among the artifacts.
run_console_scenarios() {
    rm -f "$artifacts/console-line-widths.tsv"
    local row
    while IFS=$'\t' read -r -a row; do
        [[ -z ${row[0]:-} || ${row[0]} == \#* ]] && continue
        if ! wanted "${row[0]}"; then
            continue
        elif [[ ${row[5]:-} == fleet=* ]]; then
            run_fleet_scenario "${row[@]}"
        else
            run_console_scenario "${row[@]}"
        fi
    done <"$root/tests/e2e/console-scenarios.tsv"
}
