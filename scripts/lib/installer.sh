# The Windows installer (NSIS) and its test under Wine: made from the folder that `cmake --install` of
# the Windows build fills; installed, started, used and uninstalled in a fresh Wine prefix.
# shellcheck shell=bash

CORVANE_INSTALLER_PACKAGES=(nsis xvfb xauth xdotool imagemagick)

# corvane_version: the project's version, as CMake has it.
corvane_version() {
  sed -n 's/^project(Corvane VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# make_installer WINDOWS_BUILD: installs the Windows build into a staging folder and makes
# WINDOWS_BUILD/Corvane-VERSION-setup.exe from it; prints the installer's path.
make_installer() {
  local build version stage list setup
  build=$(cd "$1" && pwd)
  version=$(corvane_version)
  stage="$build/installer/stage"
  list="$build/installer/uninstall-files.nsh"
  setup="$build/Corvane-$version-setup.exe"
  rm -rf "$stage"
  cmake --install "$build" --prefix "$stage" --strip >/dev/null
  # The uninstaller removes what the installer put there: each file, then each folder when empty.
  # The traffic tools it handles itself.
  (
    cd "$stage"
    find . -type f ! -name TCompiler.exe ! -name TDecompiler.exe | sed 's#^\./##' | sort |
      while IFS= read -r file; do printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}"; done
    find . -mindepth 1 -type d | sed 's#^\./##' | sort -r |
      while IFS= read -r folder; do printf 'RMDir "$INSTDIR\\%s"\n' "${folder//\//\\}"; done
  ) >"$list"
  makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DUNFILES="$list" -DOUTFILE="$setup" \
    -DICON="$ROOT/data/desktop/corvane.ico" "$ROOT/packaging/windows/corvane.nsi" >&2
  echo "$setup"
}

# build_windows_installer: Qt for Windows (built once per machine into the user's cache folder), the
# Windows build of the whole program with its tests, and its installer; prints the installer's path.
build_windows_installer() {
  CORVANE_WINDOWS_QT=$(ensure_windows_qt)
  export CORVANE_WINDOWS_QT
  cmake --preset windows -S "$ROOT" >/dev/null
  cmake --build "$ROOT/build-windows" -j "$JOBS" >&2
  make_installer "$ROOT/build-windows"
}
