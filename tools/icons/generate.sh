#!/usr/bin/env bash
# Renders the desktop icons into resources/icons/ from the program's moon drawing
# (toolkit/MoonIcons). Run by hand after a change there; the icons are committed,
# so the build needs neither Qt SVG nor a display. The generator is built in
# build-icons/, or in the folder given as the first argument.
source "$(dirname "$0")/../../scripts/lib/setup.sh"
require_packages g++ make cmake qt6-base-dev qt6-svg-dev libjpeg-dev
tool_build="${1:-$top/build-icons}"
cmake -S "$top" -B "$tool_build" -DCMAKE_BUILD_TYPE=Release -DSELENARA_TESTS=OFF -DSELENARA_ICON_TOOL=ON >/dev/null
cmake --build "$tool_build" -j"$(nproc)" --target selenara-icons
mkdir -p "$top/resources/icons"
QT_QPA_PLATFORM=offscreen "$tool_build/selenara-icons" "$top/resources/icons"
ls -l "$top/resources/icons"
