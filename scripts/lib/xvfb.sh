# Sourced by the scripts that need a virtual display. start_xvfb starts Xvfb
# on a display number that no other X server holds (the server picks it
# itself, so two runs on one machine never meet on one display), waits until
# it takes connections and sets DISPLAY and xvfb_pid. stop_xvfb never fails,
# so an exit trap may end with it.
start_xvfb() {
    local ready
    ready="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
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
