# Sourced by scripts/windows: the installer, run under Wine as a user would,
# in a Wine prefix of its own that nothing else has touched.

# check_windows_installer INSTALLER: installs silently, checks the files, the
# Start-menu shortcut and the entry in the list of installed programs, runs
# both installed programs, installs over the install, uninstalls silently
# with and without /REMOVESETTINGS, and fails with one line per finding. A
# subshell, so that its exit trap ends the prefix's Wine however it ends.
check_windows_installer() (
    local installer="$1" failed=0
    local version settings='HKCU\Software\Vandrel\Selenara'
    local entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Selenara'
    version="$(basename "$installer" | sed -n 's/^selenara-\(.*\)-windows-x86_64\.exe$/\1/p')"
    trap 'stop_installer_wine' EXIT
    stop_installer_wine
    rm -rf "$wbuild/wine-installer" && mkdir -p "$wbuild/wine-installer"
    installer_wine wineboot --init >/dev/null 2>&1 || { echo "installer: wineboot fails" >&2; return 1; }
    wait_installer_wine
    fail() { echo "installer: $*" >&2; failed=1; }
    expect_value() {
        local got
        got="$(reg_value "$1" "$2")"
        [ "$got" = "$3" ] || fail "$1 $2 is \"$got\", not \"$3\""
    }

    # Where Windows puts the user's programs and Start menu, in Windows' and in
    # our file names.
    local localappdata appdata dir windir lnk
    localappdata="$(installer_wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')"
    appdata="$(installer_wine cmd /c echo %APPDATA% | tr -d '\r')"
    windir="$localappdata\\Programs\\Selenara"
    dir="$(installer_wine winepath -u "$windir" | tr -d '\r')"
    lnk="$(installer_wine winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Selenara.lnk" | tr -d '\r')"

    install_silently() {
        installer_wine "$installer" /S || fail "the installer ended with status $?"
        wait_installer_wine
    }
    install_silently
    local file
    for file in selenara.exe selenara-almanac.exe Uninstall.exe platforms/qwindows.dll styles/qwindowsvistastyle.dll \
        Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll; do
        [ -f "$dir/$file" ] || fail "no $file in $windir"
    done
    # A shortcut holds its target's path as plain text.
    grep -aqF "$windir\\selenara.exe" "$lnk" 2>/dev/null || fail "no Start-menu shortcut Selenara.lnk to selenara.exe"
    expect_value "$entry" DisplayName Selenara
    expect_value "$entry" DisplayVersion "$version"
    expect_value "$entry" UninstallString "\"$windir\\Uninstall.exe\""

    # The programs, from the installed folder alone.
    local phases status=0
    phases="$(TZ=UTC installer_wine "$windir\\selenara-almanac.exe" phases 2026-01 2026-01 | tr -d '\r' |
        sed 's/T.*//' | tr '\n' ' ')" || status=$?
    [ "$status" -eq 0 ] && [ "$phases" = "full,2026-01-03 last,2026-01-10 new,2026-01-18 first,2026-01-26 " ] ||
        fail "the installed almanac ends with status $status and gives the phases of January 2026 as: $phases"
    installer_wine "$windir\\selenara.exe" >/dev/null 2>&1 &
    local app=$! tries=0
    until xdotool search --onlyvisible --name '^Selenara ' >/dev/null 2>&1; do
        if ! kill -0 "$app" 2>/dev/null || [ $((tries += 1)) -gt 80 ]; then
            fail "the installed selenara.exe shows no window \"Selenara ...\" (it ended, or 20 s passed)"
            break
        fi
        sleep 0.25
    done
    stop_installer_wine
    wait "$app" 2>/dev/null || true

    # Installed over, the settings stay.
    installer_wine reg add "$settings\\Optionen" /v SST /t REG_SZ /d Bonn /f >/dev/null
    install_silently
    expect_value "$settings\\Optionen" SST Bonn

    # A silent uninstall copies itself away and returns at once; the wait is
    # for the copy.
    uninstall_silently() {
        installer_wine "$windir\\Uninstall.exe" /S "$@" || fail "Uninstall.exe /S${*:+ $*} ended with status $?"
        wait_installer_wine
    }
    removed() {
        [ ! -e "$dir" ] || fail "the program folder is left after uninstalling $*, with:" \
            "$(cd "$dir" && find . -type f | sed 's|^\./||' | tr '\n' ' ')"
        [ ! -e "$lnk" ] || fail "the Start-menu shortcut is left after uninstalling $*"
        ! installer_wine reg query "$entry" >/dev/null 2>&1 || fail "the uninstall entry is left after uninstalling $*"
    }
    uninstall_silently
    removed /S
    expect_value "$settings\\Optionen" SST Bonn
    install_silently
    uninstall_silently /REMOVESETTINGS
    removed /S /REMOVESETTINGS
    ! installer_wine reg query "$settings" >/dev/null 2>&1 || fail "Uninstall.exe /S /REMOVESETTINGS keeps the settings"

    [ "$failed" -eq 0 ] || return 1
    echo "installer: installs, runs, keeps the settings over an install and without /REMOVESETTINGS, uninstalls" \
        "($(du -h "$installer" | cut -f1))" >&2
)

# Wine in the installer's prefix, with no DLLs but Windows' own on its path;
# without the pages that would offer Mono and Gecko, and without menu
# entries for the Linux desktop.
installer_wine() {
    env -u WINEPATH WINEPREFIX="$wbuild/wine-installer" WINEDEBUG=-all \
        WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=d' "$(wine_binary)" "$@"
}

# Waits until every program of the prefix has ended.
wait_installer_wine() {
    WINEPREFIX="$wbuild/wine-installer" wineserver -w 2>/dev/null || true
}

# Ends every program of the prefix; never fails, as stop_wine.
stop_installer_wine() {
    WINEPREFIX="$wbuild/wine-installer" wineserver -k 2>/dev/null || true
}

# reg_value KEY NAME: the value's data, nothing when there is none.
reg_value() {
    installer_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2  *REG_[A-Z_]*  *//p" || true
}
