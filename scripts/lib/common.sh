# Shared by the scripts: the project root, package installation and the CMake builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
# Caches that outlive a clone (the compiler cache): the user's cache folder.
CORVANE_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/corvane

# Every Debian package the project's builds, tests and demo need.
CORVANE_PACKAGES=(
  g++ cmake ninja-build ccache pkg-config
  libgtest-dev
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev fonts-dejavu-core
  clang libclang-rt-14-dev
  desktop-file-utils shared-mime-info
)

# What the tests add: the mingw-w64 cross compiler for the Windows build (the core, corvane-cli, the
# traffic tools and their tests, with GoogleTest built from its sources), and Wine to run it.
CORVANE_WINE_PACKAGES=(wine wine64 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest)

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

# use_ccache: compiles through the compiler cache in CORVANE_CACHE (or CCACHE_DIR), shared by every
# clone and build tree of the machine: paths below the clone's root are hashed relative to it.
use_ccache() {
  export CCACHE_DIR=${CCACHE_DIR:-$CORVANE_CACHE/ccache}
  export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
  mkdir -p "$CCACHE_DIR"
  [ -f "$CCACHE_DIR/ccache.conf" ] || echo "max_size = 10G" >"$CCACHE_DIR/ccache.conf"
}

# configure_build DIR [CMAKE ARGS...]: configures a Ninja build tree in DIR.
configure_build() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
}

# The libFuzzer targets of fuzz/, each with its seed corpus in fuzz/corpus/<name>/.
CORVANE_FUZZERS=(projectreader trafficreader aptreader inifile flightline projectroundtrip trafficcheck landoutlines
  flighttimeline)

# run_fuzzer DIR NAME SECONDS: runs fuzz_NAME of the build DIR for SECONDS from its seed corpus;
# inputs it finds go to a scratch corpus in DIR, so the seeds in the tree stay as they are. Returns
# non-zero on any crash, leak, sanitizer report, time-out or memory overrun, showing the log's end;
# the input that caused it is kept in DIR/fuzz-artifacts.
run_fuzzer() {
  local dir=$1 name=$2 seconds=$3
  local corpus="$dir/fuzz-corpus/$name" log="$dir/fuzz-logs/$name.log"
  mkdir -p "$corpus" "$dir/fuzz-logs" "$dir/fuzz-artifacts"
  if "$dir/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=1048576 -timeout=10 \
      -artifact_prefix="$dir/fuzz-artifacts/$name-" "$corpus" "$ROOT/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "fuzz_$name: $(grep -Eo 'Done [0-9]+ runs' "$log" | tail -n 1 | cut -d' ' -f2) runs, clean"
  else
    echo "fuzz_$name: FAILED; the end of $log:"
    tail -n 40 "$log"
    return 1
  fi
}
