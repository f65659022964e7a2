# Sourced by the scripts that need a virtual display. start_xvfb starts Xvfb
# (screen XVFB_SCREEN, 1024x768x24 unless set) on a display number that no
# other X server holds (the server picks it itself, so two runs on one
# machine never meet on one display), waits until it takes connections and
# sets DISPLAY and xvfb_pid. stop_xvfb never fails, so an exit trap may end
# with it.
start_xvfb() {
    local ready
    ready="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries=0
    until grep -q '^[0-9][0-9]*$' "$ready"; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $((tries += 1)) -gt 200 ]; then
            rm -f "$ready"
            echo "Xvfb did not start" >&2
            exit 1
        fi
        sleep 0.05
    done
    export DISPLAY=":$(cat "$ready")"
    rm -f "$ready"
}

stop_xvfb() {
    kill "${xvfb_pid:-}" 2>/dev/null || true
}

# wait_for_window TITLE_REGEX [SECONDS]: waits until a window whose title
# matches is shown on the display (xdotool), for up to SECONDS (20); fails
# after that.
wait_for_window() {
    local deadline=$((SECONDS + ${2:-20}))
    until xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "no window \"$1\" after ${2:-20} s" >&2
            return 1
        fi
        sleep 0.1
    done
}

# screenshot_when_drawn FILE [SECONDS]: a screenshot of the whole display,
# taken once something is drawn on it (more than a handful of colours: an
# empty screen, or a window not yet painted, has one or two), for up to
# SECONDS (20); fails after that.
screenshot_when_drawn() {
    local deadline=$((SECONDS + ${2:-20}))
    until import -window root "$1" 2>/dev/null && [ "$(convert "$1" -format %k info:)" -gt 16 ]; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "nothing drawn on the display after ${2:-20} s" >&2
            return 1
        fi
        sleep 0.2
    done
}
