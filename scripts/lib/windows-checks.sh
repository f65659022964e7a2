# Sourced by scripts/windows: the checks of the Windows build that go beyond
# its tests.

# compare_almanacs LINUX_ALMANAC WINDOWS_ALMANAC: runs the same commands with
# both, and fails unless standard output, standard error and exit status
# agree byte for byte: every command in UTC, then the phases of 1600,
# 1890-2030 and 3990-3999 and a year of rise and set at the zone's own place
# in zones whose history Windows' own zone data does not keep (ICU's must).
compare_almanacs() {
    local linux="$1" windows="$2" dir="$wbuild/almanac-compare" failed=0 n=0
    local commands=(
        "UTC phases 1600-01 1600-12" "UTC phases 2026-01 2026-12" "UTC phases 3999-01 3999-12"
        "UTC riseset 13.41 52.52 2026-01-01 2026-12-31" "UTC riseset 18.96 69.65 2026-01-01 2026-12-31"
        "UTC riseset -70.67 -33.45 1600-01-01 1600-03-31" "UTC riseset 0 89.9 3999-06-01 3999-07-31"
        "UTC month 2026 12 --lang de" "UTC month 1600 1 --lang en" "UTC month 3999 12"
        "UTC ics 2026-01 2026-03 --lang de" "UTC ics 3999-10 3999-12 --lang en"
        "UTC help" "UTC" "UTC phases 2026-13 2027-01" "UTC riseset 200 0 2026-01-01 2026-01-01"
        "UTC month 1599 12" "UTC nonsense"
    )
    # Zone, and a place in it; 2011 is the year Samoa skipped 30 December.
    local zone place
    for zone in "Europe/Berlin 13.41 52.52" "America/New_York -74.01 40.71" \
        "Australia/Sydney 151.21 -33.87" "Asia/Kolkata 88.36 22.57" "Pacific/Apia -171.77 -13.83" \
        "America/Sao_Paulo -46.63 -23.55"; do
        place="${zone#* }"
        zone="${zone%% *}"
        commands+=("$zone phases 1600-01 1600-12" "$zone phases 1890-01 2030-12" "$zone phases 3990-01 3999-12"
            "$zone riseset $place 2011-01-01 2011-12-31" "$zone ics 1600-01 1600-02")
    done
    rm -rf "$dir" && mkdir -p "$dir/linux" "$dir/windows"
    local entry tz command
    for entry in "${commands[@]}"; do
        n=$((n + 1))
        tz="${entry%% *}"
        command="${entry#"$tz"}"
        local status=0
        # shellcheck disable=SC2086  # the words of the command are its arguments
        TZ="$tz" "$linux" $command >"$dir/linux/$n.out" 2>"$dir/linux/$n.err" || status=$?
        echo "$status" >"$dir/linux/$n.status"
        status=0
        # shellcheck disable=SC2086
        TZ="$tz" "$wine_run" "$windows" $command >"$dir/windows/$n.out" 2>"$dir/windows/$n.err" || status=$?
        echo "$status" >"$dir/windows/$n.status"
        if ! cmp -s "$dir/linux/$n.out" "$dir/windows/$n.out" || ! cmp -s "$dir/linux/$n.err" "$dir/windows/$n.err" ||
            ! cmp -s "$dir/linux/$n.status" "$dir/windows/$n.status"; then
            echo "TZ=$tz almanac$command: the Windows build differs in $(diff "$dir/linux/$n.out" "$dir/windows/$n.out" |
                grep -c '^<' || true) lines (see $dir/*/$n.*)" >&2
            failed=1
        fi
    done
    [ "$failed" -eq 0 ] || return 1
    echo "almanac: $n commands give the same bytes on Linux and under Wine" >&2
}

# check_system_zone: the window's zone on Windows is Windows' own, which ICU
# maps to its IANA zone with the user's country. In a Wine prefix of its own
# whose zone is "W. Europe Standard Time" and whose user is in Germany
# (GeoID 94), the platform test that expects Europe/Berlin must pass. Wine
# takes the first zone of the registry whose rules match the host's TZ, so
# the three that come before it go.
check_system_zone() {
    local prefix="$wbuild/wine-zone" zone
    local wine=(env WINEPREFIX="$prefix" TZ=Europe/Berlin "$wine_run")
    local zones='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Time Zones'
    rm -rf "$prefix"
    "${wine[@]}" cmd /c exit
    for zone in "Central Europe" "Central European" "Romance"; do
        "${wine[@]}" reg delete "$zones\\$zone Standard Time" /f >/dev/null
    done
    "${wine[@]}" reg add 'HKCU\Control Panel\International\Geo' /v Nation /t REG_SZ /d 94 /f >/dev/null
    # Wine chooses the zone when it starts.
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    "${wine[@]}" reg query 'HKLM\System\CurrentControlSet\Control\TimeZoneInformation' /v TimeZoneKeyName |
        grep -q 'W\. Europe Standard Time' || { echo "the Wine prefix's zone is not W. Europe Standard Time" >&2; return 1; }
    SELENARA_CHECK_SYSTEM_ZONE=1 "${wine[@]}" "$wbuild/platform_tests.exe" \
        --gtest_filter=SystemClock.WindowsZoneOfGermanyIsBerlin >"$prefix.log" 2>&1 ||
        { cat "$prefix.log" >&2; WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; return 1; }
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    grep -q '^\[  PASSED  \] 1 test' "$prefix.log" || { cat "$prefix.log" >&2; return 1; }
    echo "system zone: Windows' W. Europe Standard Time in Germany is Europe/Berlin, with its history" >&2
}

# check_windows_zip ZIP: unpacks the portable ZIP, starts both programs from
# it with nothing but Windows on the DLL path, and fails unless they run and
# the DLLs and plugins they load from the folder are exactly those it holds.
check_windows_zip() {
    local zip="$1" dir="$wbuild/zip-check" loaded="$wbuild/zip-check.loaddll"
    rm -rf "$dir" "$loaded" && mkdir -p "$dir"
    unzip -q "$zip" -d "$dir"
    # No WINEPATH: the DLLs must come from the folder itself.
    local wine=(env WINEPREFIX="$wbuild/wine" WINEDEBUG=+loaddll WINEPATH= "$(wine_binary)")
    "${wine[@]}" "$dir/selenara-almanac.exe" phases 2026-01 2026-01 >/dev/null 2>>"$loaded" ||
        { echo "the almanac from the ZIP does not run" >&2; return 1; }
    "${wine[@]}" "$dir/selenara.exe" >/dev/null 2>>"$loaded" &
    local app=$!
    wait_for_window '^Selenara ' || { echo "selenara.exe from the ZIP shows no window" >&2; return 1; }
    stop_wine
    wait "$app" 2>/dev/null || true
    # Wine's trace: Loaded L"Z:\\...\\zip-check\\platforms\\qwindows.dll" at ...: native
    local want got
    want="$(cd "$dir" && find . -iname '*.dll' | sed 's|^\./||' | tr 'A-Z' 'a-z' | sort)"
    got="$(grep -o 'Loaded L"[^"]*" at [^:]*: native' "$loaded" | sed 's/^Loaded L"//; s/".*//; s/\\\\/\//g' |
        tr 'A-Z' 'a-z' | grep -F "$(echo "$dir" | tr 'A-Z' 'a-z')/" | grep '\.dll$' | sed "s|^.*zip-check/||" | sort -u)"
    if [ "$want" != "$got" ]; then
        diff <(echo "$want") <(echo "$got") | sed 's/^</  in the ZIP, not loaded:/; s/^>/  loaded, not in the ZIP:/' >&2
        return 1
    fi
    echo "ZIP: the programs load exactly its $(echo "$want" | wc -l) DLLs and plugins" >&2
}

# Ends every program of the build's Wine prefix. It never fails: wineserver
# reports failure when nothing runs, and under set -e that would end the
# script, or, in an exit trap, turn its status into a failure.
stop_wine() {
    WINEPREFIX="$wbuild/wine" wineserver -k 2>/dev/null || true
}

# The Wine launcher itself, from the build's wrapper.
wine_binary() {
    sed -n 's/^exec "\([^"]*\)".*/\1/p' "$wine_run"
}
