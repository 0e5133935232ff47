# Qt 6 for Windows, cross-built once per machine from Debian's own qt6-base sources with the
# mingw-w64 compiler of the Windows build, against the Linux build's Qt as the host Qt. The result
# lives outside the clone, in a folder keyed by the Qt version and the configure options, so that a
# second run (and CI's next run on the same machine) finds it.
# shellcheck shell=bash

CORVANE_QT_VERSION=6.4.2

# What Corvane uses of Qt and no more: Core, Gui, Widgets, Network (the single-instance hand-off) and
# Test (the widget tests); the Windows and offscreen platforms, the Windows style, PNG images. The
# bundled third-party libraries, since the cross compiler has none of its own. Tablet events need
# wintab.h, which Debian's sources do not carry; OpenGL stays on, as Qt 6.4's Windows platform plugin
# does not compile without it.
CORVANE_QT_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DINPUT_openssl=no -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_networklistmanager=OFF
)

# windows_qt_dir: prints the folder the Windows Qt is (or will be) installed in.
windows_qt_dir() {
  local key
  key=$( { printf '%s\n' "$CORVANE_QT_VERSION" "${CORVANE_QT_OPTIONS[@]}"; x86_64-w64-mingw32-g++-posix --version; } |
    sha256sum | cut -c1-12)
  printf '%s/qt-%s-mingw-%s' "$CORVANE_CACHE" "$CORVANE_QT_VERSION" "$key"
}

# ensure_windows_qt: builds the Windows Qt unless the cache holds it already; prints the folder.
# The build's own log stays in the cache folder; on failure its end is shown.
ensure_windows_qt() {
  local prefix work log start
  prefix=$(windows_qt_dir)
  if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    return 0
  fi
  work="$CORVANE_CACHE/qt-work"
  log="$CORVANE_CACHE/qt-build.log"
  mkdir -p "$work"
  start=$SECONDS
  echo "Building Qt $CORVANE_QT_VERSION for Windows into $prefix (once per machine; the log is $log)" >&2
  if ! _build_windows_qt "$work" "$prefix" >"$log" 2>&1; then
    echo "The Windows Qt build failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    return 1
  fi
  echo "The Windows Qt took $((SECONDS - start)) s to build" >&2
  rm -rf "$work/build"
  echo "$prefix"
}

_build_windows_qt() {
  local work=$1 prefix=$2 source
  source=$(_fetch_qt_sources "$work")
  rm -rf "$work/build" "$prefix"
  use_ccache
  cmake -S "$source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_USE_CCACHE=ON "${CORVANE_QT_OPTIONS[@]}"
  cmake --build "$work/build" -j "$JOBS"
  cmake --install "$work/build"
  touch "$prefix/.complete"
}

# _fetch_qt_sources WORK: fetches Debian's qt6-base source (the upstream tarball) through a
# deb-src entry of its own for the machine's suite, without touching the machine's package sources,
# unpacks it in WORK and prints the source folder.
_fetch_qt_sources() {
  local work=$1 apt="$1/apt" suite tarball source
  source="$work/qtbase-everywhere-src-$CORVANE_QT_VERSION"
  if [ -f "$source/CMakeLists.txt" ]; then
    echo "$source"
    return 0
  fi
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial"
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$suite" >"$apt/sources/corvane-src.sources"
  local options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
  apt-get "${options[@]}" update -q >&2
  (cd "$work" && apt-get "${options[@]}" source --download-only "qt6-base=$(_host_qt_package_version)") >&2
  tarball=$(ls "$work"/qt6-base_"$CORVANE_QT_VERSION"*.orig.tar.xz | head -n 1)
  tar -xf "$tarball" -C "$work"
  echo "$source"
}

# The version of the host Qt package, so that the sources are those of the Qt the Linux build uses.
_host_qt_package_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev
}
