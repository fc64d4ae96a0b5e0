# Sourced by scripts/test and scripts/package (after scripts/deps.sh): the 64-bit Windows build,
# cross-compiled with Debian's mingw-w64 and tested under Wine.
#
# SFML, FreeType and GoogleTest are built here as static libraries, from Debian's own source
# packages (and googletest's sources in /usr/src), once into a cache outside the clone, so fresh
# clones on the same machine reuse them:
#   $QUELVANE_WINDOWS_CACHE           default ${XDG_CACHE_HOME:-~/.cache}/quelvane/windows
#     src/                            the unpacked source packages
#     prefix-<key>/                   the installed static libraries; <key> names their versions
# Folders of the clone:
#   build-windows/                    the cross build: quelvane.exe, unit and display tests, the zip
#   build-windows/unzipped/           the zip unpacked, whose quelvane.exe the end-to-end tests run
#   build-windows/wine/, wine-e2e/    Wine prefixes of its own
#   build/                            the release build, whose end-to-end tests (a Linux program)
#                                     drive the zip's quelvane.exe
#   build-windows-zip/                the program alone, for scripts/package

QUELVANE_WINDOWS_PACKAGES=(
    cmake dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
    fonts-liberation2 wine wine64 unzip
)
QUELVANE_WINDOWS_CACHE=${QUELVANE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quelvane/windows}
QUELVANE_WINDOWS_TOOLCHAIN=$PWD/cmake/x86_64-w64-mingw32.cmake
QUELVANE_WINDOWS_FONT=/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf

quelvane_windows_sudo() {
    if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# apt-get source needs a deb-src entry; it goes beside Debian's own deb entry, once.
quelvane_windows_deb_src() {
    grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
    echo "Adding a deb-src entry for apt-get source"
    quelvane_windows_sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    quelvane_windows_sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
}

# The newest version of a source package that apt knows.
quelvane_windows_source_version() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -1
}

# The cache's folder for the current versions of the sources and of the compiler: a Debian
# update of SFML, FreeType, GoogleTest or mingw-w64 builds the libraries anew.
quelvane_windows_prefix() {
    local key
    key=$(echo "$(quelvane_windows_source_version libsfml)" \
        "$(quelvane_windows_source_version freetype)" \
        "$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix googletest)" |
        md5sum | cut -c1-12)
    echo "$QUELVANE_WINDOWS_CACHE/prefix-$key"
}

# quelvane_windows_source PACKAGE: unpacks the newest source package into the cache once; prints
# its folder.
quelvane_windows_source() {
    local src
    src=$QUELVANE_WINDOWS_CACHE/src/$1_$(quelvane_windows_source_version "$1")
    if [ ! -f "$src/.unpacked" ]; then
        rm -rf "$src" && mkdir -p "$src"
        (cd "$src" && apt-get source -qq "$1" >/dev/null 2>&1) || return 1
        touch "$src/.unpacked"
    fi
    find "$src" -mindepth 1 -maxdepth 1 -type d
}

# quelvane_windows_cmake_install SOURCE PREFIX NAME [cmake arguments...]
quelvane_windows_cmake_install() {
    local source=$1 prefix=$2 build=$QUELVANE_WINDOWS_CACHE/build/$3
    shift 3
    rm -rf "$build"
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$QUELVANE_WINDOWS_TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQUELVANE_WINDOWS_DEPS="$prefix" "$@" &&
        cmake --build "$build" -j "$(nproc)" &&
        cmake --install "$build" &&
        rm -rf "$build"
}

quelvane_windows_freetype() {
    local source
    source=$(quelvane_windows_source freetype) || return 1
    quelvane_windows_cmake_install "$source" "$1" freetype -DBUILD_SHARED_LIBS=OFF \
        -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
        -DFT_DISABLE_BROTLI=ON
}

# SFML's installed package configuration asks for OpenGL as "OpenGL32"; mingw's library is
# libopengl32.a, which a case-sensitive file system does not find under that name. Debian's
# source has SFML's bundled Windows binaries taken out; their folders, which SFML installs,
# stay empty.
quelvane_windows_sfml() {
    local source
    source=$(quelvane_windows_source libsfml) || return 1
    sed -i 's/"OpenGL32"/"opengl32"/' "$source/cmake/SFMLConfigDependencies.cmake.in"
    mkdir -p "$source/extlibs/bin/x64" "$source/extlibs/libs-mingw/x64"
    quelvane_windows_cmake_install "$source" "$1" sfml -DBUILD_SHARED_LIBS=OFF \
        -DSFML_USE_STATIC_STD_LIBS=ON -DSFML_BUILD_AUDIO=OFF -DSFML_BUILD_NETWORK=OFF \
        -DSFML_BUILD_DOC=OFF -DSFML_BUILD_EXAMPLES=OFF
}

quelvane_windows_gtest() {
    quelvane_windows_cmake_install /usr/src/googletest "$1" googletest -DBUILD_SHARED_LIBS=OFF \
        -Dgtest_disable_pthreads=OFF
}

# Builds the static libraries unless the cache has them; prints the prefix they are in.
quelvane_windows_deps() {
    local prefix
    quelvane_windows_deb_src >&2
    prefix=$(quelvane_windows_prefix)
    if [ ! -f "$prefix/.complete" ]; then
        echo "Building static FreeType, SFML and GoogleTest for Windows into $prefix" >&2
        rm -rf "$prefix"
        {
            quelvane_windows_freetype "$prefix" &&
                quelvane_windows_sfml "$prefix" &&
                quelvane_windows_gtest "$prefix"
        } >&2 || return 1
        touch "$prefix/.complete"
    fi
    echo "$prefix"
}

# quelvane_windows_configure DIR PREFIX [cmake arguments...]: the cross build, with the static
# libraries of PREFIX. The font is named outright: the search for it looks inside the cross
# build's find root only.
quelvane_windows_configure() {
    local dir=$1 prefix=$2
    shift 2
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QUELVANE_WINDOWS_TOOLCHAIN" -DQUELVANE_WINDOWS_DEPS="$prefix" \
        -DSFML_STATIC_LIBRARIES=TRUE -DQUELVANE_FONT="$QUELVANE_WINDOWS_FONT" \
        -DQUELVANE_BENCH=OFF "$@"
}

# Wine's settings for the tests: no Wine messages, no offer to install Mono or Gecko, and two
# prefixes of the build folder's own, made once (wineboot takes about 10 s each): wine/ for the
# unit and display tests, which share one lasting Wine server, and wine-e2e/ for the end-to-end
# tests, whose every program starts a server of its own (cmake/wine-alone).
quelvane_windows_wine() {
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local prefix
    for prefix in "$PWD/$1/wine-e2e" "$PWD/$1/wine"; do
        export WINEPREFIX=$prefix
        [ -f "$WINEPREFIX/system.reg" ] && continue
        wineboot -i && wineserver -w || return 1
    done
}

# quelvane_build_windows DIR: everything the windows test stage runs: the cross build with its
# unit and display tests, the zip unpacked into DIR/unzipped, the host's end-to-end tests, and the
# Wine prefixes.
quelvane_build_windows() {
    local dir=$1 prefix e2e
    quelvane_install_packages "${QUELVANE_PACKAGES[@]}" "${QUELVANE_WINDOWS_PACKAGES[@]}"
    prefix=$(quelvane_windows_deps) || return 1
    e2e=$(quelvane_host_e2e build) || return 1
    quelvane_windows_configure "$dir" "$prefix" -DQUELVANE_WINDOWS_E2E="$e2e" || return 1
    cmake --build "$dir" -j "$(nproc)" || return 1
    rm -rf "$dir/unzipped"
    unzip -q "$dir"/quelvane-*-windows-x64.zip -d "$dir/unzipped" || return 1
    quelvane_windows_wine "$dir"
}

# Writes dist/quelvane-<version>-windows-x64.zip from a build of the program alone; prints its
# path.
quelvane_package_windows() {
    local dir=build-windows-zip prefix zip
    quelvane_install_packages "${QUELVANE_WINDOWS_PACKAGES[@]}"
    prefix=$(quelvane_windows_deps)
    quelvane_windows_configure "$dir" "$prefix" -DQUELVANE_TESTS=OFF
    cmake --build "$dir" -j "$(nproc)" --target windows_zip
    zip=$(ls "$dir"/quelvane-*-windows-x64.zip)
    cp -f "$zip" dist/
    echo "dist/$(basename "$zip")"
}
