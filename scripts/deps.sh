# Sourced by the scripts: installs the Debian packages that are missing.
# Uses sudo when not root; does nothing when everything is present.

QUELVANE_PACKAGES=(
    build-essential cmake pkg-config
    libsfml-dev fonts-liberation2
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool libx11-dev
    dpkg-dev desktop-file-utils
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
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

quelvane_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" -j "$(nproc)"
}
