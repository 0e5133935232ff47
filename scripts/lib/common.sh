# Shared by the scripts: the project root, package installation and the CMake builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# Every Debian package the project's builds, tests and demo need.
CORVANE_PACKAGES=(
  g++ cmake ninja-build ccache pkg-config
  libgtest-dev
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  clang libclang-rt-14-dev
)

# ensure_packages PKG...: installs the packages that are missing (apt-get update once, then install).
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_build DIR [CMAKE ARGS...]: configures a Ninja build tree in DIR.
configure_build() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
}
