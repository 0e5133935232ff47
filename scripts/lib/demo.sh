# The demo installation: a simulator folder with a dozen aircraft and a traffic.bgl compiled by the
# stand-in compiler, a private Wine prefix whose registry names that folder, and private settings, so
# that a real installation is never touched.
# shellcheck shell=bash

# prepare_demo BUILD_DIR: creates BUILD_DIR/demo once (or again after `rm -rf BUILD_DIR/demo`) and
# exports the environment that points Corvane and its tools at it.
prepare_demo() {
  local build=$1
  local demo=$build/demo
  export WINEPREFIX=$demo/wineprefix
  export XDG_CONFIG_HOME=$demo/config
  export XDG_RUNTIME_DIR=$demo/runtime
  if [ -f "$demo/.ready" ]; then
    return 0
  fi
  rm -rf "$demo"
  mkdir -p "$demo" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Corvane" "$WINEPREFIX/drive_c" "$WINEPREFIX/dosdevices"
  chmod 700 "$XDG_RUNTIME_DIR"
  cp -r "$ROOT/data/demo/FS2002" "$demo/FS2002"
  ln -s ../drive_c "$WINEPREFIX/dosdevices/c:"
  ln -s / "$WINEPREFIX/dosdevices/z:"

  # The simulator's registry value, as Wine writes it: Z: is the host's root, backslashes doubled.
  local windows_path="Z:${demo//\//\\\\}\\\\FS2002"
  printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n' >"$WINEPREFIX/system.reg"
  printf '[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n' >>"$WINEPREFIX/system.reg"
  printf '"EXE Path"="%s"\n' "$windows_path" >>"$WINEPREFIX/system.reg"

  # Corvane's own setting, so that it starts without asking for the folder.
  printf '[%%General]\nFS2002%%20Path=%s/FS2002/\n' "$demo" >"$XDG_CONFIG_HOME/Corvane/Corvane.conf"

  # traffic.bgl from the sample traffic set, built by the stand-in compiler the way Corvane runs it.
  mkdir -p "$demo/compile"
  cp "$ROOT/data/demo/traffic/aircraft.txt" "$demo/compile/Aircraft.txt"
  cp "$ROOT/data/demo/traffic/airports.txt" "$demo/compile/Airports.txt"
  cp "$ROOT/data/demo/traffic/flightplans.txt" "$demo/compile/FlightPlans.txt"
  (cd "$demo/compile" && "$build/bin/TCompiler.exe" /ep /np)
  rm -rf "$demo/compile"
  touch "$demo/.ready"
}
