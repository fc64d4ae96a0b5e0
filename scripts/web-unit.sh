# Sourced by scripts/test (after scripts/deps.sh and scripts/web.sh): the unit tests built with
# emscripten and run under node, GoogleTest built with them from Debian's sources (googletest).
#   build-web-unit/     the web build with its unit tests: unit_tests.js, unit_tests.wasm
# Run them with: ctest --test-dir build-web-unit -L unit
# (ctest runs each test through node, emscripten's CMAKE_CROSSCOMPILING_EMULATOR).

QUELVANE_WEB_UNIT_PACKAGES=(googletest nodejs)

# quelvane_build_web_unit [DIR]: configures and builds unit_tests for the web in DIR
# (build-web-unit/ by default). The tests run under plain node: emcmake would name node with
# --experimental-wasm-threads, an option that node 20 refuses.
quelvane_build_web_unit() {
    local dir=${1:-build-web-unit}
    quelvane_install_packages "${QUELVANE_WEB_PACKAGES[@]}" "${QUELVANE_WEB_UNIT_PACKAGES[@]}"
    quelvane_web_configure "$dir" -DQUELVANE_TESTS=ON -DQUELVANE_BENCH=OFF \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" || return 1
    cmake --build "$dir" -j "$(nproc)" --target unit_tests golden_tests
}

# quelvane_build_web_stage DIR: what the web stage of scripts/test runs in one folder: the program
# with its browser tests and the scene comparison (scripts/web-e2e.sh), and the unit tests and
# the golden table under node.
quelvane_build_web_stage() {
    local dir=$1
    declare -F quelvane_build_web_e2e >/dev/null || source "$PWD/scripts/web-e2e.sh"
    quelvane_install_packages "${QUELVANE_WEB_UNIT_PACKAGES[@]}"
    quelvane_build_web_e2e "$dir" -DQUELVANE_TESTS=ON \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" || return 1
    cmake --build "$dir" -j "$(nproc)" --target unit_tests golden_tests
}
