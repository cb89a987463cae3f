# Sourced by tests/e2e/run: the programs under test and the helpers beside them, of the width
# that PREREQ_E2E_WIDTH names (32, the default, or 64), from the build folders the run's header
# lists. Sets build, helpers, wine (the loader of that width: the plain `wine` is the 32-bit one
# once wine32 is installed) and WINEARCH (the kind of prefix the template is made as);
# find_programs sets program, console_program and pictures (the reports' GIFs beside them).
# shellcheck shell=bash

width=${PREREQ_E2E_WIDTH:-32}
case $width in
32) build=$root/build/windows-x86 helpers=$root/build/windows-x86-tests/tests/e2e
    wine=wine WINEARCH=win32 ;;
64) build=$root/build/windows-x64 helpers=$root/build/windows-x64/tests/e2e
    wine=/usr/lib/wine/wine64 WINEARCH=win64 ;;
*) die "PREREQ_E2E_WIDTH is 32 or 64, not $width" ;;
esac
export WINEARCH

bundle_zip() { find "$build" -maxdepth 1 -name 'PrereqCheck-*-win32.zip' | sort | tail -n1; }

outputs_made() {
    local file
    if [ "$width" = 32 ]; then
        [ -n "$(bundle_zip)" ] || return 1
    else
        for file in PrereqCheck.exe PrereqCheckCli.exe bundle/red_x.gif; do
            [ -f "$build/$file" ] || return 1
        done
    fi
    for file in DialogDriver.exe FakeBrowser.exe FileHolder.exe libraries/rnaph/rnaph.dll \
        shim/lib/i386-linux-gnu/libmemoryshim.so shim/lib/x86_64-linux-gnu/libmemoryshim.so; do
        [ -f "$helpers/$file" ] || return 1
    done
}

# Builds what is missing, with the presets' own folders; needs the build tools.
make_outputs() {
    say "e2e: building the missing $width-bit programs and helpers"
    "$root/tools/install-dependencies"
    cd "$root"
    if [ "$width" = 32 ]; then
        cmake --preset windows-x86 >/dev/null
        cmake --build --preset windows-x86
        cpack --preset windows-x86 >/dev/null
        cmake --preset windows-x86-tests >/dev/null
        cmake --build --preset windows-x86-tests --target e2e-helpers
    else
        cmake --preset windows-x64 >/dev/null
        cmake --build --preset windows-x64 --target PrereqCheck PrereqCheckCli report-pictures e2e-helpers
    fi
    cd - >/dev/null
}

# The 32-bit programs are those of the bundle's zip, unpacked into the run's folder: the very
# bytes administrators get.
find_programs() {
    outputs_made || make_outputs
    outputs_made || die "the $width-bit programs or helpers are missing after the build"
    local folder=$build
    if [ "$width" = 32 ]; then
        python3 -m zipfile -e "$(bundle_zip)" "$work/bundle"
        folder=$(find "$work/bundle" -mindepth 1 -maxdepth 1 -type d | head -n1)
        pictures=$folder
    else
        pictures=$build/bundle
    fi
    program=$folder/PrereqCheck.exe
    console_program=$folder/PrereqCheckCli.exe
    [ -f "$program" ] && [ -f "$console_program" ] || die "no programs in $folder"
}
