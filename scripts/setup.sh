#!/usr/bin/env bash
# Installs the Debian packages the build, the window, the tests and the checks need
# (only those missing), then configures and builds the given presets.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev poppler-utils libgtest-dev libbenchmark-dev
          qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
          nlohmann-json3-dev fonts-ipafont-gothic qt6-translations-l10n xvfb xauth clang
          libclang-rt-14-dev desktop-file-utils appstream parallel
          clang-format-14 clang-tidy cppcheck python3 xz-utils ccache)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# Paths below the clone's parent are hashed relative to it, so that clones
# and work trees side by side share the compiler cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
for preset in "${@:-default}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done
