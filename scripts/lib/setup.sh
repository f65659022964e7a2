# Sourced by the scripts in scripts/: installs what the build needs on a
# Debian machine, then configures and builds with a preset of
# CMakePresets.json (default: build/).
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$top/build"

# on_exit COMMAND: runs COMMAND once when the script ends, however it ends.
# An interrupt or a termination ends the script (status 130 or 143), and
# the exit runs COMMAND, instead of running it and carrying on.
on_exit() {
    # shellcheck disable=SC2064  # the command is fixed now
    trap "$1" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Installs the Debian packages given that are missing: with apt-get when
# root, otherwise prints the one line to run and stops.
require_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing ${missing[*]} ..." >&2
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
    else
        echo "Missing packages. Run:  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# build_project PRESET [cmake arguments]: configures into $build and builds.
build_project() {
    local preset="$1"
    shift
    require_packages g++ make cmake libgtest-dev qt6-base-dev libjpeg-dev fonts-liberation \
        desktop-file-utils appstream
    (cd "$top" && cmake --preset "$preset" -B "$build" "$@" >/dev/null)
    cmake --build "$build" -j"$(nproc)"
}
