# Sourced by scripts/windows: the checks of the Windows build that go beyond
# its tests.

# compare_almanacs LINUX_ALMANAC WINDOWS_ALMANAC: runs the same commands with
# both, in UTC, and fails unless standard output, standard error and exit
# status agree byte for byte.
compare_almanacs() {
    local linux="$1" windows="$2" dir="$wbuild/almanac-compare" failed=0 n=0
    local commands=(
        "phases 1600-01 1600-12" "phases 2026-01 2026-12" "phases 3999-01 3999-12"
        "riseset 13.41 52.52 2026-01-01 2026-12-31" "riseset 18.96 69.65 2026-01-01 2026-12-31"
        "riseset -70.67 -33.45 1600-01-01 1600-03-31" "riseset 0 89.9 3999-06-01 3999-07-31"
        "month 2026 12 --lang de" "month 1600 1 --lang en" "month 3999 12"
        "ics 2026-01 2026-03 --lang de" "ics 3999-10 3999-12 --lang en"
        "help" "" "phases 2026-13 2027-01" "riseset 200 0 2026-01-01 2026-01-01" "month 1599 12"
        "nonsense"
    )
    rm -rf "$dir" && mkdir -p "$dir/linux" "$dir/windows"
    for command in "${commands[@]}"; do
        n=$((n + 1))
        local status=0
        # shellcheck disable=SC2086  # the words of the command are its arguments
        TZ=UTC "$linux" $command >"$dir/linux/$n.out" 2>"$dir/linux/$n.err" || status=$?
        echo "$status" >"$dir/linux/$n.status"
        status=0
        # shellcheck disable=SC2086
        TZ=UTC "$wine_run" "$windows" $command >"$dir/windows/$n.out" 2>"$dir/windows/$n.err" || status=$?
        echo "$status" >"$dir/windows/$n.status"
        if ! cmp -s "$dir/linux/$n.out" "$dir/windows/$n.out" || ! cmp -s "$dir/linux/$n.err" "$dir/windows/$n.err" ||
            ! cmp -s "$dir/linux/$n.status" "$dir/windows/$n.status"; then
            echo "almanac $command: the Windows build differs (see $dir/*/$n.*)" >&2
            failed=1
        fi
    done
    [ "$failed" -eq 0 ] || return 1
    echo "almanac: $n commands give the same bytes on Linux and under Wine" >&2
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
    sleep 8
    kill -0 "$app" 2>/dev/null || { echo "selenara.exe from the ZIP ended at once" >&2; return 1; }
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
