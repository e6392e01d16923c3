#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need, only
# those that are missing. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libbenchmark-dev
    clang
    fonts-dejavu-core
    xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
updated=""
install() {
    echo "Installing: $*"
    [ -n "$updated" ] || { $sudo apt-get update -qq; updated=yes; }
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}

if [ ${#missing[@]} -gt 0 ]; then
    install "${missing[@]}"
fi

# The fuzzer's runtime comes with the clang of the same major version.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime="libclang-rt-${clang_major}-dev"
if [ -n "$clang_major" ] && ! dpkg-query -W -f='${Status}' "$runtime" 2>/dev/null | grep -q 'install ok installed'; then
    install "$runtime"
fi
