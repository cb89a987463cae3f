# Sourced by tests/e2e/run: the PC of one scenario, in a fresh copy of the template prefix.
# read_arrangement reads a row's pose and arrangement (the words are explained at the top of
# scenarios.tsv), arrange_pc builds that PC around the program under test, stop_pc ends every
# Wine process on it, and remove_pc throws it away. Nothing here needs a display: any program,
# with a window or without, can run on the arranged PC through "${environment[@]}".
# shellcheck shell=bash

folder_win='C:\current folder'
browser_win='C:\tools\FakeBrowser.exe'
modem_model='Torvane Wardline Connection'
# Every PC has the memory it is arranged with, whatever the machine has: a 32-bit program sees at
# most 2 GB, and posing as NT 4.0 the total modulo 4 GB first, so the host's memory would decide.
default_memory=$((256 << 20))

# read_arrangement NAME POSE ARRANGEMENT sets name, pose and one variable per kind of arrangement.
read_arrangement() {
    name=$1 pose=$2
    cdrom=0 rasadmin=0 rasapi32="" rnaph=0 clsid=0 msdun=0 devices="" modemkey=""
    modemattach=1 browser=fake help=0 locked=0 readonly=0 disk=host memory=$default_memory csd=""
    codepage=1252 computer=""
    local token value
    for token in $3; do
        value=${token#*=}
        value=${value//_/ }
        case $token in
        cdrom) cdrom=1 ;;
        ras) rasadmin=1 rasapi32=full ;;
        dun) clsid=1 msdun=1 rasapi32=full ;;
        modem) devices=$modem_model modemkey=$modem_model ;;
        rasadmin) rasadmin=1 ;;
        rasapi32=*) rasapi32=$value ;;
        rnaph) rnaph=1 ;;
        clsid) clsid=1 ;;
        msdun) msdun=1 ;;
        devices=*) devices=$value ;;
        modemkey=*) modemkey=$value ;;
        modemkey-unattached=*) modemkey=$value modemattach=0 ;;
        browser=*) browser=$value ;;
        help) help=1 ;;
        locked) locked=1 ;;
        readonly) readonly=1 ;;
        disk=small) disk=small ;;
        memory=*) memory=$value ;;
        csd=*) csd=$value ;;
        codepage=1251) codepage=1251 ;;
        computer=*) computer=$value ;;
        *) die "$name: unknown arrangement $token" ;;
        esac
    done
    [ -z "$csd" ] || [ "$pose" = nt40 ] || die "$name: a service-pack text needs nt40"
    [ -z "$computer" ] || [ "$disk" = host ] || die "$name: a computer name needs the host's disk"
}

arrange_registry() { # writes the scenario's registry changes as a .reg file
    local class_key
    say "REGEDIT4"
    say
    if [ -n "$csd" ]; then # an NT 4.0 that reports its own service-pack text
        say '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]'
        say '"CurrentVersion"="4.0"'
        say '"CurrentBuildNumber"="1381"'
        say "\"CSDVersion\"=\"$csd\""
    else
        say '[HKEY_CURRENT_USER\Software\Wine]'
        say "\"Version\"=\"$pose\""
    fi
    say
    if [ "$clsid" = 1 ]; then
        say '[HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{992CFFA0-F557-101A-88EC-00DD010CCC48}\InprocServer32]'
        say '@="rnaui.dll"'
        say
    fi
    if [ "$msdun" = 1 ]; then
        say '[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\MSDUN]'
        say '"DisplayName"="Dial-Up Networking 1.2"'
        say
    fi
    if [ -n "$modemkey" ]; then
        case $pose in
        nt40 | win2k) class_key='SYSTEM\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}' ;;
        *) class_key='SYSTEM\CurrentControlSet\Services\Class\Modem' ;;
        esac
        say "[HKEY_LOCAL_MACHINE\\$class_key\\0000]"
        [ "$modemattach" = 1 ] && say '"AttachedTo"="COM1"'
        say "\"Model\"=\"$modemkey\""
        say
    fi
    if [ -n "$computer" ]; then # Wine names the computer after the host at each session's start
        say '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName\ComputerName]'
        say "\"ComputerName\"=\"$computer\""
        say
        say '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName\ActiveComputerName]'
        say "\"ComputerName\"=\"$computer\""
        say
    fi
    case $browser in
    none) say '[-HKEY_CLASSES_ROOT\htmlfile]' ;;
    broken) say '[HKEY_CLASSES_ROOT\htmlfile\shell\open\command]' &&
        say '@="\"C:\\tools\\NoSuchBrowser.exe\" \"%1\""' ;;
    esac
}

# arrange_pc PROGRAM [TOOL...]: the PC of the arrangement read last, with PROGRAM in C:\program
# beside the fake remote-access libraries and each TOOL in C:\tools beside the fake browser.
# Sets dir (the scenario's own folder), prefix, c (its drive C:), folder (the current folder),
# tools, and environment (what runs a program on this PC: env "${environment[@]}" "$wine" ...).
# A small disk is a file system of its own with about 60 MB free.
arrange_pc() {
    dir=$work/$name
    mkdir -p "$dir"
    if [ "$disk" = small ]; then
        mount -t tmpfs -o size=2g tmpfs "$dir"
    fi
    prefix=$dir/prefix
    cp -a "$work/template" "$prefix"
    c=$prefix/drive_c
    folder="$c/current folder" tools=$c/tools
    mkdir -p "$c/program" "$tools" "$folder"
    cp "$1" "$c/program/"
    shift
    cp "$@" "$helpers"/FakeBrowser.exe "$tools/"
    [ -n "$rasapi32" ] && cp "$helpers/libraries/rasapi32-$rasapi32/rasapi32.dll" "$c/program/"
    [ "$rasadmin" = 1 ] && cp "$helpers/libraries/rasadmin/rasadmin.dll" "$c/program/"
    [ "$rnaph" = 1 ] && cp "$helpers/libraries/rnaph/rnaph.dll" "$c/program/"
    if [ "$cdrom" = 1 ]; then
        mkdir -p "$prefix/cdrom"
        ln -s ../cdrom "$prefix/dosdevices/e:"
    fi
    [ "$help" = 1 ] && printf '<html><body>LAN help</body></html>' >"$folder/plintherror.html"
    [ "$locked" = 1 ] && printf 'stale report' >"$folder/PlinthSetupStatus.htm"
    arrange_registry | iconv -f UTF-8 -t "WINDOWS-$codepage" >"$tools/scenario.reg" # regedit reads ANSI

    environment=(WINEPREFIX="$prefix")
    [ -n "$devices" ] && environment+=(E2E_RAS_DEVICES="$devices")
    # $LIB picks the shim of each process's width: the 64-bit wineserver serves a 32-bit Wine.
    environment+=(LD_PRELOAD="$helpers/shim/\$LIB/libmemoryshim.so" E2E_TOTAL_PHYS="$memory")
    if [ "$codepage" = 1251 ]; then # Wine takes the ANSI code page from the locale
        mkdir -p "$work/locale"
        [ -d "$work/locale/ru_RU.CP1251" ] ||
            localedef -i ru_RU -f CP1251 "$work/locale/ru_RU.CP1251" >/dev/null 2>&1 ||
            [ -s "$work/locale/ru_RU.CP1251/LC_CTYPE" ] || die "$name: no ru_RU.CP1251 locale"
        environment+=(LOCPATH="$work/locale" LC_ALL=ru_RU.CP1251)
    fi
    # The name written into the registry holds until the session ends (stop_pc).
    [ -z "$computer" ] || env "${environment[@]}" wineserver -p
    env "${environment[@]}" "$wine" regedit /S 'C:\tools\scenario.reg'
    if [ "$disk" = small ]; then
        rm "$prefix/dosdevices/z:"
        env "${environment[@]}" wineserver -w # the registry is saved; the disk settles
        local used
        used=$(df -B1M --output=used "$dir" | tail -n1)
        mount -o remount,size=$((used + 60))m "$dir"
    fi
    [ "$readonly" = 0 ] || chattr +i "$folder"
    disk_before=$(pc_free_mb)
}

# Ends every Wine process on the PC and lets the current folder be written again.
stop_pc() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    [ "$readonly" = 0 ] || chattr -i "$folder"
}

remove_pc() {
    if mountpoint -q "$dir"; then umount "$dir"; fi
    rm -rf "$dir"
}
