# Sourced by the scripts: installs the Debian packages that are missing.
# Uses sudo when not root; does nothing when everything is present.

# What building and running the program needs; the rest is for the tests, benchmarks and
# packages.
QUELVANE_RUN_PACKAGES=(
    build-essential cmake pkg-config
    libsfml-dev fonts-liberation2
)
QUELVANE_PACKAGES=(
    "${QUELVANE_RUN_PACKAGES[@]}"
    libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev
    xvfb xauth xdotool libx11-dev
    clang libclang-rt-14-dev llvm
    dpkg-dev file desktop-file-utils
    lintian appstream man-db
)

quelvane_missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            printf '%s\n' "$pkg"
        fi
    done
}

quelvane_install_packages() {
    local missing
    mapfile -t missing < <(quelvane_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# Everything: the program, the tests and the benchmarks.
quelvane_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUELVANE_TESTS=ON -DQUELVANE_BENCH=ON "$@"
    cmake --build "$dir" -j "$(nproc)"
}

# The program and its font alone. A new build folder is configured without the tests and
# benchmarks; one the tests were built in keeps them.
quelvane_build_program() {
    local dir=$1
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUELVANE_TESTS=OFF -DQUELVANE_BENCH=OFF
    fi
    cmake --build "$dir" -j "$(nproc)" --target quelvane
}

# AddressSanitizer and UndefinedBehaviorSanitizer (float-cast-overflow included), with line
# numbers in the reports: the program and the unit, display and end-to-end tests.
quelvane_build_sanitized() {
    local dir=$1
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVANE_SANITIZE=ON -DQUELVANE_BENCH=OFF
    cmake --build "$dir" -j "$(nproc)" --target quelvane unit_tests display_tests e2e_tests
}

# The libFuzzer targets, built with clang and the same sanitizers.
quelvane_build_fuzz() {
    local dir=$1
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
        -DQUELVANE_FUZZ=ON -DQUELVANE_TESTS=OFF -DQUELVANE_BENCH=OFF
    cmake --build "$dir" -j "$(nproc)" --target fuzz_targets
}

# Sanitizer runtime options for sanitized runs: stop at the first report, and check leaks with
# only the graphics driver's suppressed (tests/lsan.supp says why and how narrowly).
quelvane_sanitizer_env() {
    export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    # The software GL driver's worker threads, still winding down when the leak check stops the
    # world at exit, crash its tracer now and then ("Tracer caught signal 11"), which ends the
    # program with status 1. The driver draws in the program's own thread instead.
    export LP_NUM_THREADS=0
}

# Runs a command on the caller's X display, or on a virtual one of its own where none is set.
quelvane_with_display() {
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    else
        "$@"
    fi
}

# quelvane_package_deb BUILD_DIR [cmake arguments...]: configures a build of the program alone,
# makes its Debian package with cpack and moves it into dist/; prints the package's path.
# The program is built with Debian's hardening flags (fortified functions, stack protector,
# read-only relocations bound at start), as a distribution builds its packages; Release's -O3
# comes after their -O2 and holds.
quelvane_package_deb() {
    local dir=$1
    shift
    local buildflags=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUELVANE_TESTS=OFF -DQUELVANE_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$("${buildflags[@]}" CPPFLAGS) $("${buildflags[@]}" CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$("${buildflags[@]}" LDFLAGS)" "$@"
    cmake --build "$dir" -j "$(nproc)" --target quelvane
    rm -f "$dir"/quelvane_*.deb
    (cd "$dir" && cpack -G DEB)
    local deb
    deb=$(ls "$dir"/quelvane_*.deb)
    mv -f "$deb" dist/
    echo "dist/$(basename "$deb")"
}

# quelvane_host_e2e BUILD_DIR: the end-to-end tests of this machine's build (the release stage's
# build/, say), which drive a cross-built program behind its emulator; the tests are switched on
# where scripts/run configured the folder without them. Prints the test program's path.
quelvane_host_e2e() {
    local host=$1
    cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DQUELVANE_TESTS=ON >&2 || return 1
    cmake --build "$host" -j "$(nproc)" --target e2e_tests >&2 || return 1
    echo "$(cd "$host" && pwd)/tests/e2e/e2e_tests"
}
