#!/usr/bin/env bash
# The window's figures beside those of a bare Qt Widgets window
# (bench/BareWindow.cpp; also with one label, for what drawing any text
# costs), on a private Xvfb display with a stand-in tray, a private session
# bus where dbus-daemon is installed, and no window manager:
#   start   process start to the window's first drawing, seen through the X
#           DAMAGE extension (bench/XProbe.cpp); median of RUNS starts each,
#           taken in turns, the file cache warm
#   memory  VmRSS once started and settled
#   idle    CPU per minute, the program hidden to the tray, the others shown
# then one start of the program step by step (bench/StartPhases.cpp).
# Settings, runtime directory and the single-instance socket (in TMPDIR) are
# fresh temporary ones for every start, so nothing of the user's is read or
# touched and a running copy of the program is not handed over to.
# Environment: RUNS (10), SETTLE seconds (5), IDLE_SECONDS (60).
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/setup.sh"
source "$top/scripts/lib/xvfb.sh"
build="$top/build-bench"
runs="${RUNS:-10}"
settle="${SETTLE:-5}"
idle_seconds="${IDLE_SECONDS:-60}"

# The window's own font (its narrow stand-in), as the program is built and
# tested with: without it the font system falls back further and the figures
# measure another font.
require_packages xvfb libx11-dev libxdamage-dev libbenchmark-dev g++ cmake qt6-base-dev fonts-liberation
(cd "$top" && cmake --preset bench >/dev/null)
cmake --build "$build" -j "$(nproc)" \
    --target selenara selenara_bare_window selenara_xprobe selenara_start_phases >/dev/null
probe="$build/bench/selenara_xprobe"
phases="$build/bench/selenara_start_phases"

# The three programs: key, window title, command.
keys=(bare label program)
# The program's title names the version the build was configured with.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
declare -A title=([bare]="Bare Qt window" [label]="Bare Qt window" [program]="Selenara $version")
declare -A cmdline=([bare]="$build/bench/selenara_bare_window"
                    [label]="$build/bench/selenara_bare_window --label"
                    [program]="$build/selenara")

work="$(mktemp -d)"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    stop_xvfb
    rm -rf "$work"
}
on_exit cleanup

XVFB_SCREEN=1280x1024x24 start_xvfb
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# A desktop has a session bus; without one, Qt tries to start one each time.
bus="none"
if command -v dbus-daemon >/dev/null; then
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [[ -s "$work/bus" ]] && break; sleep 0.05; done
    if [[ -s "$work/bus" ]]; then
        export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
        bus="private"
    fi
fi
[[ "$bus" == none ]] && unset DBUS_SESSION_BUS_ADDRESS

"$probe" tray >"$work/tray.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "tray ready" "$work/tray.log" && break; sleep 0.05; done
grep -q "tray ready" "$work/tray.log" || { echo "no tray:" >&2; cat "$work/tray.log" >&2; exit 1; }

# Runs "$@" with fresh settings, runtime and temporary directories.
fresh() {
    local home
    home="$(mktemp -d "$work/home.XXXXXX")"
    mkdir -m 700 "$home/config" "$home/runtime" "$home/tmp"
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp" "$@"
}

field() { sed -n "s/.*\\b$1=\\([0-9.-]*\\).*/\\1/p" "$2" | head -n1; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0) printf "%.2f", b / a; else print "-" }'; }

# One start to first paint of program $1: appends "painted mapped" (ms).
start_once() {
    local out="$work/start.out"
    # shellcheck disable=SC2086 # the command is words
    fresh "$probe" paint --name "${title[$1]}" -- ${cmdline[$1]} >"$out" 2>"$work/start.err" ||
        { echo "start of ${cmdline[$1]} failed:" >&2; cat "$work/start.err" >&2; exit 1; }
    echo "$(field painted_ms "$out") $(field mapped_ms "$out")" >>"$work/$1.starts"
}

echo "window figures on $DISPLAY: Xvfb, no window manager, stand-in tray, session bus: $bus;" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"

# Start: one unmeasured start each for the file cache, then turns, in an
# order that rotates so that none is always first.
for key in "${keys[@]}"; do start_once "$key"; : >"$work/$key.starts"; done
for ((i = 0; i < runs; ++i)); do
    for ((j = 0; j < ${#keys[@]}; ++j)); do start_once "${keys[(i + j) % ${#keys[@]}]}"; done
done
declare -A paint map
for key in "${keys[@]}"; do
    paint[$key]="$(cut -d' ' -f1 "$work/$key.starts" | median)"
    map[$key]="$(cut -d' ' -f2 "$work/$key.starts" | median)"
done

# Memory and idle: all three kept running side by side.
declare -A running
for key in "${keys[@]}"; do
    out="$work/$key.keep"
    # shellcheck disable=SC2086
    fresh "$probe" paint --keep --name "${title[$key]}" -- ${cmdline[$key]} >"$out" 2>&1 &
    pids+=($!)
    for _ in $(seq 600); do grep -q "painted_ms=" "$out" && break; sleep 0.05; done
    grep -q "painted_ms=" "$out" || { echo "no window:" >&2; cat "$out" >&2; exit 1; }
    running[$key]="$(field pid "$out")"
    pids+=("${running[$key]}")
done
sleep "$settle"
declare -A mem
for key in "${keys[@]}"; do
    for k in VmRSS RssAnon RssFile RssShmem; do
        mem[$key.$k]="$(awk -v k="$k:" '$1 == k { print $2 }' "/proc/${running[$key]}/status")"
    done
done

# Closing hides the window to the tray, as the close button does.
"$probe" close "${title[program]}"
sleep 1
program_state="$("$probe" state "${title[program]}")"
sleep 1

# CPU: nanoseconds of all live threads (schedstat), clock ticks of the whole
# process (stat, in steps of 10 ms), and context switches, i.e. wake-ups.
sample() {
    local ns ticks switches
    ns="$(cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }')"
    ticks="$(sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }')"
    switches="$(cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { s += $2 } END { print s }')"
    echo "$ns $ticks $switches"
}
declare -A before after
for key in "${keys[@]}"; do before[$key]="$(sample "${running[$key]}")"; done
t0="$EPOCHREALTIME"
sleep "$idle_seconds"
for key in "${keys[@]}"; do after[$key]="$(sample "${running[$key]}")"; done
t1="$EPOCHREALTIME"
tick_ms="$(awk -v h="$(getconf CLK_TCK)" 'BEGIN { print 1000 / h }')"
# Per minute of column $1 (1 ns, 2 ticks, 3 switches) of program $2.
per_minute() {
    awk -v c="$1" -v a="${before[$2]}" -v b="${after[$2]}" -v t0="$t0" -v t1="$t1" -v tick="$tick_ms" 'BEGIN {
        split(a, x, " "); split(b, y, " "); unit = c == 1 ? 1e-6 : c == 2 ? tick : 1
        printf "%.1f", (y[c] - x[c]) * unit * 60 / (t1 - t0) }'
}
for key in "${keys[@]}"; do kill "${running[$key]}" 2>/dev/null || true; done

mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
row() { printf '%-34s %10s %10s %10s %6s %6s  %s\n' "$@"; }
echo
# Ratios to the bare window and to the one with a label, which pays the font
# system's first lookup as any window with text does; the targets are the
# latter's.
row "" "bare" "bare+label" "selenara" "/bare" "/label" "target (selenara / bare+label)"
row "start to first paint, median ms" "${paint[bare]}" "${paint[label]}" "${paint[program]}" \
    "$(ratio "${paint[bare]}" "${paint[program]}")" "$(ratio "${paint[label]}" "${paint[program]}")" "<= 1.3"
row "  start to window mapped, median ms" "${map[bare]}" "${map[label]}" "${map[program]}" \
    "$(ratio "${map[bare]}" "${map[program]}")" "$(ratio "${map[label]}" "${map[program]}")"
row "resident memory VmRSS, MiB" "$(mib "${mem[bare.VmRSS]}")" "$(mib "${mem[label.VmRSS]}")" \
    "$(mib "${mem[program.VmRSS]}")" "$(ratio "${mem[bare.VmRSS]}" "${mem[program.VmRSS]}")" \
    "$(ratio "${mem[label.VmRSS]}" "${mem[program.VmRSS]}")" "<= 1.2"
for k in RssAnon:anonymous RssFile:file-backed RssShmem:shared; do
    row "  ${k#*:}, MiB" "$(mib "${mem[bare.${k%:*}]}")" "$(mib "${mem[label.${k%:*}]}")" \
        "$(mib "${mem[program.${k%:*}]}")" "$(ratio "${mem[bare.${k%:*}]}" "${mem[program.${k%:*}]}")" \
        "$(ratio "${mem[label.${k%:*}]}" "${mem[program.${k%:*}]}")"
done
row "idle CPU, ms per minute" "$(per_minute 1 bare)" "$(per_minute 1 label)" "$(per_minute 1 program)" \
    "" "" "selenara < 10"
row "  from clock ticks, ms per minute" "$(per_minute 2 bare)" "$(per_minute 2 label)" "$(per_minute 2 program)"
row "  context switches per minute" "$(per_minute 3 bare)" "$(per_minute 3 label)" "$(per_minute 3 program)"
echo "starts: $runs each; memory after $settle s; idle over $idle_seconds s;" \
    "selenara's window after close: $program_state"

# Where the start goes: one start step by step (after one for the cache).
step_by_step() {
    local out="$work/phases.out"
    fresh "$probe" paint --name "${title[program]}" -- "$phases" "$@" >"$out" 2>/dev/null || return 0
    awk -v s="$(field start "$out")" -v p="$(field painted_ms "$out")" '
        /^main monotonic_ms=/ { split($2, m, "="); printf "  %-34s %8.2f ms\n", "process start to main", m[2] - s }
        / ms +\(\+/ || /widgets\)/ { print "  " $0 }
        END { printf "  %-34s %8.2f ms after process start\n", "seen drawn by the X probe", p }' "$out"
}
echo
echo "one start of the same sequence, step by step (ms since main, +step):"
step_by_step >/dev/null
step_by_step
echo "the same binary showing a bare black window instead:"
step_by_step --bare
