# Sourced by scripts/windows after setup.sh: builds, once, the Windows
# libraries Selenara links against — ICU, Qt's qtbase, libjpeg-turbo and
# GoogleTest, each from Debian's own sources, cross-compiled with MinGW-w64 —
# into one prefix under ~/.cache/selenara/. The prefix's name carries the Qt
# version and a hash of the options below and of the toolchain file, so a
# change to either builds a new one; an unchanged one is reused.

toolchain="$top/cmake/MinGW-w64.cmake"

# Only what the program and its tests use, which keeps the build to about a
# quarter of an hour on two cores: no image format plugins (the artwork is
# decoded with libjpeg, the icons are PNGs), no Direct2D platform, no ODF or
# Markdown. FreeType stays: the offscreen platform of the tests draws with it.
# Qt 6.4 builds the DirectWrite font database only along with Direct2D, so
# DirectWrite 3 is off too (the GDI font database is the default anyway).
# Debian's source has no wintab.h, hence no tablet events; the third-party
# libraries are the bundled ones.
qt_options=(
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_icu=ON
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_testlib=ON -DFEATURE_itemmodeltester=OFF
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_directwrite3=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_networklistmanager=OFF
)
# With ICU, Qt takes time zones from ICU's copy of the tz database, with
# every zone's whole history (Windows keeps about one rule per zone before
# 2006), and ICU maps Windows' own zone to its IANA id.
icu_options=(--disable-static --enable-shared --disable-tests --disable-samples --disable-extras
    --disable-icuio --disable-layoutex --with-data-packaging=library)
# ICU's data (31 MB) cut to what is read: the zones and their Windows names;
# the locale data a calendar opens; the collation of QCollator (the city
# list's order) for German and English; the converter aliases Qt may ask.
icu_data_items=(
    '^(zoneinfo64|timezoneTypes|metaZones|windowsZones)\.res$'
    '^(supplementalData|likelySubtags|res_index|pool|root|de|en)\.res$'
    '^(coll|zone)/(res_index|pool|root|de|en)\.res$'
    '^coll/ucadata\.icu$' '^cnvalias\.icu$'
)
jpeg_options=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
gtest_options=(-DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF)

cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/selenara"

# Adds a deb-src entry for the Debian archive the machine already uses, so
# that `apt-get source` finds the packages' sources.
ensure_deb_src() {
    apt-get source --print-uris qt6-base >/dev/null 2>&1 && return 0
    [ "$(id -u)" -eq 0 ] || { echo "apt has no deb-src entry; add one for your Debian archive" >&2; exit 1; }
    local sources=/etc/apt/sources.list.d/selenara-deb-src.sources
    awk 'BEGIN { RS=""; ORS="\n\n" }
         /Types:[^\n]*deb/ && /debian\.org/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
        /etc/apt/sources.list.d/*.sources 2>/dev/null >"$sources.new" || true
    if [ ! -s "$sources.new" ]; then
        grep -hE '^deb https?://[^ ]*debian' /etc/apt/sources.list 2>/dev/null |
            sed 's/^deb /deb-src /' >"${sources%.sources}.list"
        rm -f "$sources.new"
    else
        mv "$sources.new" "$sources"
    fi
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
}

# unpack_source PACKAGE: the Debian source of PACKAGE, patched, in
# $cache_root/src/; prints its folder.
unpack_source() {
    local dir="$cache_root/src/$1"
    if [ ! -f "$dir/.unpacked" ]; then
        rm -rf "$dir" && mkdir -p "$dir"
        (cd "$dir" && apt-get source -qq "$1" >&2)
        touch "$dir/.unpacked"
    fi
    find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n1
}

# cross_build NAME SOURCE [cmake options]: configures, builds and installs
# SOURCE into the prefix with the MinGW toolchain.
cross_build() {
    local name="$1" source="$2"
    shift 2
    local work="$cache_root/work/$name"
    rm -rf "$work" && mkdir -p "$(dirname "$work")"
    echo "Cross-building $name for Windows (once; into $windows_prefix) ..." >&2
    cmake -S "$source" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$windows_prefix" \
        -DCMAKE_FIND_ROOT_PATH="$windows_prefix" "$@" >"$work.log" 2>&1 &&
    cmake --build "$work" -j"$(nproc)" >>"$work.log" 2>&1 &&
    cmake --install "$work" >>"$work.log" 2>&1 ||
        { tail -n 40 "$work.log" >&2; echo "building $name failed; log: $work.log" >&2; exit 1; }
    rm -rf "$work"
}

# build_icu: ICU from Debian's source, built once for this machine (its
# tools make the data) and then for Windows with its data trimmed.
build_icu() {
    local source work="$cache_root/work/icu"
    source="$(unpack_source icu)/source"
    rm -rf "$work" && mkdir -p "$work/native" "$work/windows" "$work/data/items"
    echo "Cross-building ICU for Windows (once; into $windows_prefix) ..." >&2
    local icupkg=(env LD_LIBRARY_PATH="$work/native/lib" "$work/native/bin/icupkg")
    local full
    full="$(ls "$source"/data/in/icudt*l.dat)"
    # icupkg takes a list for a list only when its name ends in .txt.
    {
        (cd "$work/native" && "$source/configure" "${icu_options[@]}" && make -j"$(nproc)") &&
        "${icupkg[@]}" -l "$full" | grep -E "$(IFS='|'; echo "${icu_data_items[*]}")" >"$work/data/items.txt" &&
        "${icupkg[@]}" -x "$work/data/items.txt" -d "$work/data/items" "$full" &&
        "${icupkg[@]}" -tl -s "$work/data/items" -a "$work/data/items.txt" new "$work/data/$(basename "$full")" &&
        (cd "$work/windows" &&
            "$source/configure" --host=x86_64-w64-mingw32 --with-cross-build="$work/native" \
                --prefix="$windows_prefix" "${icu_options[@]}" \
                CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix &&
            make -j"$(nproc)" ICUDATA_SOURCE_ARCHIVE="$work/data/$(basename "$full")" && make install)
    } >"$work.log" 2>&1 ||
        { tail -n 40 "$work.log" >&2; echo "building ICU failed; log: $work.log" >&2; exit 1; }
    rm -rf "$work"
}

# Builds whatever of the prefix is missing.
ensure_windows_libraries() {
    require_packages g++-mingw-w64-x86-64-posix ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools
    # The Linux Qt is installed only now, so its version is read here.
    local qt_version options_hash
    qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+~-].*//')"
    options_hash="$(printf '%s\n' "${icu_options[@]}" "${icu_data_items[@]}" "${qt_options[@]}" \
        "${jpeg_options[@]}" "${gtest_options[@]}" |
        cat - "$toolchain" | sha256sum | cut -c1-12)"
    windows_prefix="$cache_root/mingw64-qt$qt_version-$options_hash"
    [ -f "$windows_prefix/.complete" ] && return 0
    ensure_deb_src
    # A prefix of other options or another Qt is of no more use.
    mkdir -p "$cache_root"
    find "$cache_root" -mindepth 1 -maxdepth 1 -name 'mingw64-qt*' ! -path "$windows_prefix" -exec rm -rf {} +
    mkdir -p "$windows_prefix"
    local start=$SECONDS
    [ -f "$windows_prefix/.icu" ] || { build_icu && touch "$windows_prefix/.icu"; }
    [ -x "$windows_prefix/bin/qt-cmake" ] ||
        cross_build qtbase "$(unpack_source qt6-base)" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            "${qt_options[@]}"
    [ -f "$windows_prefix/lib/libjpeg.a" ] ||
        cross_build libjpeg-turbo "$(unpack_source libjpeg-turbo)" "${jpeg_options[@]}"
    [ -f "$windows_prefix/lib/libgtest.a" ] ||
        cross_build googletest /usr/src/googletest "${gtest_options[@]}"
    touch "$windows_prefix/.complete"
    echo "Windows libraries built in $((SECONDS - start)) s" >&2
}
