# Sourced by scripts/test and scripts/package (after scripts/deps.sh): the web build, the program
# compiled to WebAssembly with Debian's emscripten and shown by a page (page/index.html) in any
# browser; tested in Debian's chromium.
#
# FreeType is built here as a static WebAssembly library from Debian's source package (unpacked
# by scripts/windows.sh's functions, which the Windows build shares), once into a cache outside
# the clone:
#   $QUELVANE_WEB_CACHE               default ${XDG_CACHE_HOME:-~/.cache}/quelvane/web
#     prefix-<key>/                   FreeType installed; <key> names its and emscripten's versions
# Folders of the clone:
#   build-web/                        the web build: index.html, quelvane.js, quelvane.wasm,
#                                     courier.ttf

declare -F quelvane_windows_source >/dev/null || source "$PWD/scripts/windows.sh"

QUELVANE_WEB_PACKAGES=(
    cmake dpkg-dev emscripten node-acorn fonts-liberation2 chromium python3
)
QUELVANE_WEB_CACHE=${QUELVANE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quelvane/web}

# Emscripten's tools run under node and look for Debian's acorn (node-acorn) there; a node that
# is not Debian's does not look in Debian's module folder by itself.
export NODE_PATH=/usr/share/nodejs

# FreeType's rasteriser flattens curves by stepping along them where SSE2 or 64-bit integers are
# known to it (x86-64, arm64) and by binary splits elsewhere, wasm32 included, which gives a few
# glyph pixels one level apart from the desktop's. With SSE2 (emscripten maps it onto wasm SIMD,
# which the program needs anyway) it takes the desktop's way and gives Debian's glyphs exactly.
QUELVANE_WEB_FREETYPE_FLAGS="-msimd128 -msse2"

# The cache's folder for the current versions of FreeType's source and of emscripten and for the
# flags: a change of any builds the library anew.
quelvane_web_prefix() {
    local key
    key=$(echo "$(quelvane_windows_source_version freetype)" \
        "$(dpkg-query -W -f='${Version}' emscripten)" "$QUELVANE_WEB_FREETYPE_FLAGS" |
        md5sum | cut -c1-12)
    echo "$QUELVANE_WEB_CACHE/prefix-$key"
}

# FreeType with the options of the Windows build: no zlib, bzip2, PNG, HarfBuzz or Brotli, which
# the program's one TrueType font does not need.
quelvane_web_freetype() {
    local source prefix=$1 build=$QUELVANE_WEB_CACHE/build/freetype
    source=$(quelvane_windows_source freetype) || return 1
    rm -rf "$build"
    emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_C_FLAGS="$QUELVANE_WEB_FREETYPE_FLAGS" \
        -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
        -DFT_DISABLE_BROTLI=ON &&
        cmake --build "$build" -j "$(nproc)" &&
        cmake --install "$build" &&
        rm -rf "$build"
}

# Builds FreeType unless the cache has it; prints the prefix it is in.
quelvane_web_deps() {
    local prefix
    quelvane_windows_deb_src >&2
    prefix=$(quelvane_web_prefix)
    if [ ! -f "$prefix/.complete" ]; then
        echo "Building FreeType for the web into $prefix" >&2
        rm -rf "$prefix"
        quelvane_web_freetype "$prefix" >&2 || return 1
        touch "$prefix/.complete"
    fi
    echo "$prefix"
}

# quelvane_web_configure DIR [cmake arguments...]: the web build's folder, with FreeType from the
# cache. The font is named outright: the search for it looks inside emscripten's root only.
quelvane_web_configure() {
    local dir=$1 prefix
    shift
    prefix=$(quelvane_web_deps) || return 1
    emcmake cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUELVANE_WEB_DEPS="$prefix" \
        -DQUELVANE_FONT="$QUELVANE_WINDOWS_FONT" "$@"
}

# quelvane_build_web [DIR [cmake arguments...]]: the program for the web in DIR (build-web/ by
# default): index.html, quelvane.js, quelvane.wasm and courier.ttf, ready to be served.
quelvane_build_web() {
    local dir=${1:-build-web}
    [ $# -gt 0 ] && shift
    quelvane_install_packages "${QUELVANE_WEB_PACKAGES[@]}"
    quelvane_web_configure "$dir" -DQUELVANE_TESTS=OFF -DQUELVANE_BENCH=OFF "$@" || return 1
    cmake --build "$dir" -j "$(nproc)" --target quelvane
}
