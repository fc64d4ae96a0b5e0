# Sourced by scripts/test and scripts/package (after scripts/deps.sh): the web build's end-to-end
# tests in Debian's headless chromium, and the web packages.
#
# Folders of the clone:
#   build-web/                    the web build (scripts/web.sh), with the tests' npm packages in
#                                 tests/web/node_modules/ and the single-file page in single/
#   build-web-dist/               the program alone, for scripts/package web

declare -F quelvane_build_web >/dev/null || source "$PWD/scripts/web.sh"

# A fresh Debian 12 has no npm; a node from elsewhere brings its own.
quelvane_web_e2e_packages() {
    quelvane_install_packages "${QUELVANE_WEB_PACKAGES[@]}" nodejs
    command -v npm >/dev/null || quelvane_install_packages npm
}

# quelvane_build_web_e2e DIR [cmake arguments...]: the web build with its browser tests
# registered for ctest (label web), their npm packages installed as locked, and the single-file
# page.
quelvane_build_web_e2e() {
    local dir=$1
    shift
    quelvane_web_e2e_packages
    quelvane_build_web "$dir" -DQUELVANE_WEB_E2E=ON "$@" || return 1
    cmake --build "$dir" -j "$(nproc)" --target web_test_modules web_single_file
}

# The version, from the one place it is written: CMake's project() as the build read it.
quelvane_web_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# Writes dist/quelvane-<version>-web/, the folder for any static web server, and
# dist/quelvane-<version>-web.html, the same program as one file that runs from disk; prints
# their paths.
quelvane_package_web() {
    local dir=build-web-dist version folder
    quelvane_web_e2e_packages
    quelvane_build_web "$dir" || return 1
    version=$(quelvane_web_version "$dir")
    folder=dist/quelvane-$version-web
    rm -rf "$folder" && mkdir -p "$folder"
    cp "$dir"/index.html "$dir"/quelvane.js "$dir"/quelvane.wasm "$folder"/
    # The font is a copy of Liberation Mono; its licence goes beside it.
    cp -L "$dir"/courier.ttf "$folder"/
    cp packaging/windows/courier-LICENSE.txt LICENSE "$folder"/
    node packaging/web/single-file.js "$folder" "$folder.html" || return 1
    echo "$folder/"
    echo "$folder.html"
}
