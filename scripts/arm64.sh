# Sourced by scripts/test and scripts/package (after scripts/deps.sh): the arm64 build for
# Raspberry Pi OS (64-bit) and every arm64 Debian, cross-compiled with Debian's aarch64 toolchain
# against the arm64 libraries of a multiarch host, and tested under qemu. binfmt_misc is not
# needed: every arm64 program is started through qemu-aarch64-static explicitly.
#
#   build-arm64/          the cross build: the program and its unit and display tests, which ctest
#                         starts under qemu; the .deb; the end-to-end tests against the installed
#                         package (cmake/Arm64.cmake)
#   build-arm64/root/     a copy of the arm64 root below with the .deb installed, made anew by
#                         every run, so the package's Depends alone must bring its libraries
#   $QUELVANE_ARM64_ROOT  default ${XDG_CACHE_HOME:-~/.cache}/quelvane/arm64-root: a minimal
#                         Debian 12 arm64 system (debootstrap, its second stage run under proot and
#                         qemu), made once, in 3 to 4 minutes, outside the clone, so later runs
#                         and fresh clones on the same machine reuse it
#   $QUELVANE_ARM64_HOST_BUILD  the host build whose end-to-end tests drive the arm64 program,
#                         default build/ (the release stage's, built there if it is missing)

QUELVANE_ARM64_PACKAGES=(
    cmake pkg-config dpkg-dev file fonts-liberation2
    crossbuild-essential-arm64 libsfml-dev:arm64
)
QUELVANE_ARM64_TEST_PACKAGES=(
    "${QUELVANE_ARM64_PACKAGES[@]}"
    libgtest-dev:arm64 libgmock-dev:arm64 libx11-dev:arm64
    qemu-user-static debootstrap proot xvfb xauth xdotool
)
QUELVANE_ARM64_ROOT=${QUELVANE_ARM64_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/quelvane/arm64-root}
QUELVANE_ARM64_HOST_BUILD=${QUELVANE_ARM64_HOST_BUILD:-build}
QUELVANE_ARM64_MIRROR=http://deb.debian.org/debian

quelvane_arm64_sudo() {
    if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# The arm64 libraries come from Debian's arm64 archive beside the host's own (multiarch).
quelvane_arm64_install_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        echo "Adding the arm64 architecture to dpkg"
        quelvane_arm64_sudo dpkg --add-architecture arm64
    fi
    quelvane_install_packages "$@"
}

# quelvane_arm64_in ROOT COMMAND...: runs a command of the arm64 root as its root user, with
# qemu for every arm64 program and the host's name service.
quelvane_arm64_in() {
    local root=$1
    shift
    quelvane_arm64_sudo proot -0 -q qemu-aarch64-static -r "$root" -w / -b /proc -b /dev \
        -b /etc/resolv.conf /usr/bin/env DEBIAN_FRONTEND=noninteractive "$@"
}

# The root's package sources name the keyring outright: apt's own key lookup fails under the
# emulator.
quelvane_arm64_sources() {
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    quelvane_arm64_sudo tee "$1/etc/apt/sources.list" >/dev/null <<EOF
deb [signed-by=$keyring] $QUELVANE_ARM64_MIRROR bookworm bookworm-updates main
deb [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main
EOF
}

# quelvane_arm64_make_root ROOT: a minimal Debian 12 arm64 system, made beside ROOT and moved
# into place once complete, so an interrupted run leaves no half-made root behind. Prints how long
# it took; the tools' own messages go to standard error.
quelvane_arm64_make_root() {
    local root=$1 new=$1.new start=$SECONDS
    {
        echo "Making the arm64 root $root"
        quelvane_arm64_sudo rm -rf "$new"
        mkdir -p "$(dirname "$root")"
        quelvane_arm64_sudo debootstrap --foreign --arch=arm64 --variant=minbase bookworm "$new" \
            "$QUELVANE_ARM64_MIRROR" || return 1
        quelvane_arm64_in "$new" DEBOOTSTRAP_DIR=/debootstrap /debootstrap/debootstrap \
            --second-stage || return 1
        quelvane_arm64_sources "$new"
        quelvane_arm64_in "$new" apt-get update -qq || return 1
        quelvane_arm64_in "$new" apt-get clean
        quelvane_arm64_sudo mv "$new" "$root"
    } >&2
    echo "arm64 root: made in $((SECONDS - start)) s, $root"
}

# quelvane_arm64_install_deb DEB ROOT: a fresh copy of the arm64 root at ROOT with the package
# installed by apt, which takes the package's Depends, and nothing it merely recommends, from
# Debian's arm64 archive; once more after refreshing the package lists when Debian has moved on.
quelvane_arm64_install_deb() {
    local deb=$1 root=$2
    quelvane_arm64_sudo rm -rf "$root"
    quelvane_arm64_sudo cp -a "$QUELVANE_ARM64_ROOT" "$root"
    quelvane_arm64_sudo cp "$deb" "$root/tmp/"
    local install=(apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")")
    if ! quelvane_arm64_in "$root" "${install[@]}"; then
        quelvane_arm64_in "$root" apt-get update -qq || return 1
        quelvane_arm64_in "$root" "${install[@]}" || return 1
    fi
}

# quelvane_arm64_deb DIR: the cross build's package, for arm64 with Depends worked out from the
# arm64 libraries; prints its path.
quelvane_arm64_deb() {
    local dir=$1
    rm -f "$dir"/quelvane_*.deb
    (cd "$dir" && DEB_HOST_ARCH=arm64 cpack -G DEB) >&2 || return 1
    ls "$dir"/quelvane_*_arm64.deb
}

# quelvane_build_arm64 DIR: everything the arm64 test stage runs: the cross build with its unit
# and display tests, the .deb installed into a fresh copy of the arm64 root (made first where
# there is none), and the host's end-to-end tests to drive the installed program. Says in
# DIR/arm64-root.txt whether the root was made, and in how long.
quelvane_build_arm64() {
    local dir=$1 e2e deb
    quelvane_arm64_install_packages "${QUELVANE_ARM64_TEST_PACKAGES[@]}"
    e2e=$(quelvane_host_e2e "$QUELVANE_ARM64_HOST_BUILD") || return 1
    # The package holds the program alone: installing it needs no other target built.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake" -DQUELVANE_BENCH=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
        -DQUELVANE_ARM64_E2E="$e2e" -DQUELVANE_ARM64_ROOT="$PWD/$dir/root" || return 1
    cmake --build "$dir" -j "$(nproc)" --target quelvane unit_tests display_tests || return 1
    deb=$(quelvane_arm64_deb "$dir") || return 1
    if [ -d "$QUELVANE_ARM64_ROOT" ]; then
        echo "arm64 root: reused, $QUELVANE_ARM64_ROOT" | tee "$dir/arm64-root.txt"
    else
        quelvane_arm64_make_root "$QUELVANE_ARM64_ROOT" | tee "$dir/arm64-root.txt"
        [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
    fi
    quelvane_arm64_install_deb "$deb" "$dir/root"
}

# Writes dist/quelvane_<version>_arm64.deb from a cross build of the program alone; prints its
# path.
quelvane_package_arm64() {
    quelvane_arm64_install_packages "${QUELVANE_ARM64_PACKAGES[@]}"
    DEB_HOST_ARCH=arm64 quelvane_package_deb build-arm64-deb \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake"
}
