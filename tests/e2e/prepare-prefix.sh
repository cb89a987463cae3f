# Sourced by tests/e2e/run: what a run needs before its first scenario, and the clean-up after
# its last. prepare_run makes the run's folders and finds the programs under test (programs.sh);
# make_template_prefix makes the prefix of the run's width that every scenario's PC is copied
# from (from a kept one where PREREQ_E2E_KEPT_PREFIX names it); start_display starts the X
# server that only a program with a window needs. cleanup, the exit trap, ends whatever is left.
# shellcheck shell=bash

work=""      # everything of this run: the template prefix and one folder per scenario
xvfb_pid=""

cleanup() {
    local dir
    [ -n "$work" ] || return 0
    for dir in "$work"/*/; do
        [ -d "$dir/prefix" ] && WINEPREFIX=$dir/prefix wineserver -k 2>/dev/null || true
        [ -d "$dir/prefix/drive_c/current folder" ] && chattr -i "$dir/prefix/drive_c/current folder" 2>/dev/null || true
        mountpoint -q "$dir" && umount "$dir" || true
    done
    [ -d "$work/template" ] && WINEPREFIX=$work/template wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}

prepare_run() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/prereqcheck-e2e.XXXXXX")
    find_programs
    mkdir -p "$artifacts"
    rm -f "$artifacts"/*.png
}

# One X server for the run, on a display number it picks itself.
start_display() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries=0
    until [ -s "$work/display" ]; do
        ((++tries < 100)) || die "Xvfb did not start"
        sleep 0.1
    done
    DISPLAY=:$(head -n1 "$work/display")
    export DISPLAY
}

# The template prefix, copied for every scenario: a 32-bit-only one for the 32-bit programs, like
# the systems they judge (no registry redirection), a 64-bit one for the 64-bit programs. E: is a CD-ROM drive wherever a scenario
# links dosdevices/e:, and .htm/.html open in the fake browser unless a scenario says not.
# Marlett, the caption buttons' glyphs, is registered by path as tools/run does: Debian's Wine
# does not find it in its own fonts folder.
make_template_prefix() {
    wine_environment
    if [ -n "${PREREQ_E2E_KEPT_PREFIX:-}" ]; then
        keep_prefix
        cp -a "$PREREQ_E2E_KEPT_PREFIX" "$work/template"
    else
        boot_prefix "$work/template"
    fi
    cat >"$work/template/drive_c/template.reg" <<'EOF'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"e:"="cdrom"

[HKEY_CLASSES_ROOT\htmlfile\shell\open\command]
@="\"C:\\tools\\FakeBrowser.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Marlett (TrueType)"="Z:\\usr\\share\\wine\\fonts\\marlett.ttf"
EOF
    WINEPREFIX=$work/template "$wine" regedit /S 'C:\template.reg'
    WINEPREFIX=$work/template wineserver -w
    rm "$work/template/drive_c/template.reg"
}

# What Wine is told for every command of the run, and how a prefix is first made: with the run's
# loader and kind of prefix (programs.sh), the recipe of a kept prefix, so keep everything that
# shapes a new prefix in these two.
wine_environment() {
    export WINEDEBUG=-all
    # Wine's own rasapi32 must never answer: a scenario's fake one, or none at all, does.
    export WINEDLLOVERRIDES="rasapi32=n;winemenubuilder.exe=d"
}
boot_prefix() { # folder
    WINEPREFIX=$1 "$wine" wineboot --init >/dev/null 2>&1
    WINEPREFIX=$1 wineserver -w
}
prefix_recipe() {
    { declare -f wine_environment boot_prefix && say "$wine $WINEARCH"; } | sha256sum | cut -d' ' -f1
}

# The prefix at PREREQ_E2E_KEPT_PREFIX, made only when it is missing or was made another way:
# where wineboot takes minutes (the emulated PC), one is kept. Its stamp is written once whole.
keep_prefix() {
    local kept=$PREREQ_E2E_KEPT_PREFIX
    [ "$(cat "$kept.made" 2>/dev/null)" = "$(prefix_recipe)" ] && return 0
    rm -rf "$kept" "$kept.made"
    wine_environment
    boot_prefix "$kept"
    prefix_recipe >"$kept.made"
}
