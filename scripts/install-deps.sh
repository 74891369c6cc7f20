#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Brimlow need.
# Idempotent: only missing packages are installed; uses sudo when not run as root.
set -euo pipefail

packages=(
    # toolchain
    build-essential cmake ninja-build pkg-config git clang-14 libclang-rt-14-dev clang-format
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # program and toolkit libraries
    libsqlite3-dev libhidapi-dev zlib1g-dev libminizip-dev
    libcairo2-dev libpango1.0-dev libfontconfig-dev libstb-dev
    libcurl4-openssl-dev libudev-dev libpulse-dev libglib2.0-dev
    libx11-dev libxext-dev libxi-dev libxtst-dev libxkbcommon-dev xkb-data
    # fonts staged into the program folder
    fonts-open-sans fonts-dejavu-core
    # real-window tests
    xvfb xdotool x11-apps
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
