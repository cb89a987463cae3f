# Sourced by tests/e2e/run: the reports and results of passed scenarios, kept in
# build/e2e/reports, and two of the reports drawn as a browser shows them, beside the dialog's
# screenshots.
# shellcheck shell=bash

keep_reports() {
    local file
    for file in "$2"/*.htm "$2"/*.json; do
        [ -f "$file" ] || continue
        mkdir -p "$artifacts/reports/$1"
        cp "$file" "$artifacts/reports/$1/"
    done
}

# The reports show green_check.gif and red_x.gif beside them: the bundle's own, as the build
# made them. The window is 800 by 560 pixels unless a size is given.
render_report() { # report-file picture-name [width,height]
    local page profile
    page=$(mktemp -d "$work/render.XXXXXX")
    profile=$(mktemp -d "$work/chromium.XXXXXX")
    cp "$1" "$page/"
    cp "$pictures/green_check.gif" "$pictures/red_x.gif" "$page/"
    # An emulated PC takes several times as long (PREREQ_E2E_PATIENCE, as for the dialog).
    timeout $((60 * ${PREREQ_E2E_PATIENCE:-1})) \
        chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --window-size="${3:-800,560}" --screenshot="$artifacts/$2.png" \
        "file://$page/$(basename "$1")" >/dev/null 2>&1 ||
        say "note: chromium could not render $(basename "$1")"
}

render_reports() {
    command -v chromium >/dev/null || { say "note: no chromium, so no report renderings" && return 0; }
    [ -f "$artifacts/reports/nt40-no-cdrom/WardlineLANStatus.htm" ] &&
        render_report "$artifacts/reports/nt40-no-cdrom/WardlineLANStatus.htm" report-one-table
    [ -f "$artifacts/reports/win2k-100mb-no-cdrom/PlinthSetupStatus.htm" ] &&
        render_report "$artifacts/reports/win2k-100mb-no-cdrom/PlinthSetupStatus.htm" report-two-tables
    return 0
}
