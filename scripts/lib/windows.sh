# The Windows build under Wine: its test programs in a fresh prefix, and corvane-cli.exe beside the
# Linux corvane-cli on the same inputs, whose outputs must be the same bytes.
# shellcheck shell=bash

# The tests of the Linux build that have no Windows build: the stand-ins' round trip registers the
# simulator in a Wine prefix made by hand, and the round trip through a real Wine starts Wine itself.
CORVANE_LINUX_ONLY_TESTS=(roundtrip_tools wine)

# run_windows_tests LINUX_BUILD WINDOWS_BUILD: checks that the Windows build has every unit and widget
# test of the Linux build but those, then runs every test program of the Windows build through ctest (the build's
# emulator is wine; the widget tests on Qt's offscreen platform) in a prefix of its own, made fresh and
# removed afterwards.
run_windows_tests() {
  local linux=$1 windows=$2 name missing=()
  local names
  names=$(ctest --test-dir "$windows" -N | awk '/Test +#/ {print $3}')
  for name in $(ctest --test-dir "$linux" -N -L 'unit|gui' | awk '/Test +#/ {print $3}'); do
    if ! grep -qx "$name" <<<"$names" && [[ " ${CORVANE_LINUX_ONLY_TESTS[*]} " != *" $name "* ]]; then
      missing+=("$name")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "The Windows build lacks the tests: ${missing[*]}"
    return 1
  fi
  with_fresh_wine_prefix _run_windows_tests "$windows"
}

# The widget tests after the others: beside them, Wine's one server is so busy that the tool runners'
# timings (a tool stopped at once) no longer hold.
_run_windows_tests() {
  local status=0
  ctest --test-dir "$1" --output-on-failure -j "$JOBS" -LE gui || status=1
  ctest --test-dir "$1" --output-on-failure -j "$JOBS" -L gui || status=1
  return $status
}

# with_fresh_wine_prefix COMMAND...: runs COMMAND with WINEPREFIX set to a new prefix (set up by
# wineboot first, so that no test program races to make it) and WINEDEBUG=-all; the prefix goes after.
with_fresh_wine_prefix() {
  local prefix status=0
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine-XXXXXX")
  (
    export WINEPREFIX=$prefix WINEDEBUG=-all
    wineboot -i >/dev/null 2>&1
    "$@" || status=$?
    wineserver -k >/dev/null 2>&1 || true
    exit "$status"
  ) || status=$?
  rm -rf "$prefix"
  return $status
}

# compare_windows_cli LINUX_BUILD WINDOWS_BUILD: runs corvane-cli of both builds on the same inputs
# (convert, stats, filter, reroute, retime, export, merge, check, board, timetable, eta, and open/compile
# through each build's own stand-in tools) and fails when any output file or printed line differs by a
# byte.
compare_windows_cli() {
  with_fresh_wine_prefix _compare_windows_cli "$@"
}

_compare_windows_cli() {
  local linux=$1/bin windows=$2/bin
  local work failures=0
  work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-cli-compare-XXXXXX")
  mkdir -p "$work/linux" "$work/windows" "$work/inputs"
  cp -r "$ROOT/tests/data/traffic/sample" "$work/inputs/sample"
  cp -r "$ROOT/data/demo/traffic" "$work/inputs/demo"
  cp "$ROOT/data/apt.dat" "$work/inputs/apt.dat"
  cp -r "$ROOT/data/demo/FS2002" "$work/inputs/FS2002"
  printf 'AC#1,450,"Boeing 737-400"\r\nAC#2,320,"Unknown Jet"\r\nKSEA,N47* 26.94'"'"',W122* 18.55'"'"',433,Seattle,US\r\n' >"$work/inputs/import.cvp"
  printf 'KBFI,N47* 31.6'"'"',W122* 18.0'"'"',21,Boeing Field,US\r\n' >>"$work/inputs/import.cvp"
  printf 'AC#2,N99,50%%,24Hr,VFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,\r\n' >>"$work/inputs/import.cvp"
  # A timetable in Windows-1252 with IATA codes, a chain, a tail and a row that breaks its rotation.
  printf 'flight;from;to;departure;arrival;days;tail;aircraft\r\nSK1;OSL;BGO;08:00;09:00;daily;;737-400\r\n' >"$work/inputs/timetable.csv"
  printf 'SK2;BGO;OSL;09:30;10:30;daily;;737-400\r\nSK3;ARN;CPH;23:30;00:45;1.3.5..;SE-R\xf8;Boeing 737-400\r\n' >>"$work/inputs/timetable.csv"
  printf 'SK4;CPH;ARN;06:00;07:10;x1;SE-R\xf8;Boeing 737-400\r\nSK5;CPH;XYZ;06:00;07:10;2;;737-400\r\n' >>"$work/inputs/timetable.csv"
  # The Linux program registers the simulator in a prefix of its own, edited as a file; the Windows
  # program in the registry of the fresh prefix.
  mkdir -p "$work/linux-prefix/dosdevices"
  ln -s / "$work/linux-prefix/dosdevices/z:"
  printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n' >"$work/linux-prefix/system.reg"
  cp -r "$work/inputs/FS2002" "$work/linux/FS2002"
  cp -r "$work/inputs/FS2002" "$work/windows/FS2002"

  # One command for both programs, its words separated by "|"; {out} is each program's output folder,
  # {in} the shared inputs, {fs} its own simulator folder. Paths go to the Windows program as Wine's
  # drive Z: names them.
  local commands=(
    "convert|{in}/sample|{out}/sample.cvp"
    "convert|--apt|{in}/apt.dat|{in}/demo|{out}/demo.cvp"
    "convert|{out}/demo.cvp|{out}/demo-folder"
    "convert|--fs|{fs}|{in}/demo|{out}/installed.cvp"
    "stats|--apt|{in}/apt.dat|--fs|{fs}|{in}/demo"
    "filter|{out}/demo.cvp|{out}/deleted.cvp|--delete|--icao|K"
    "filter|{out}/demo.cvp|{out}/percent.cvp|--percent|35|--aircraft|Boeing 737-400"
    "filter|{out}/demo.cvp|{out}/shifted|--shift|-5"
    "reroute|{out}/demo.cvp|{out}/rerouted.cvp|--from|EGKK|--to|EGLL|--remove-old"
    "reroute|--apt|{in}/apt.dat|{in}/demo|{out}/rerouted-apt|--from|KBFI|--to|KRNT"
    "retime|{out}/demo.cvp|{out}/retimed.cvp"
    "retime|{out}/demo.cvp|{out}/retimed-k|--icao|K"
    "retime|{out}/demo.cvp|{out}/retimed-saab.cvp|--aircraft|Saab 340B"
    "export|{out}/demo.cvp|{out}/export-k.cvp|--icao|K|--percent|less|100"
    "export|{out}/demo.cvp|{out}/export-week.cvp|--repeat|WEEK|--rules|IFR"
    "merge|--fs|{fs}|{out}/demo.cvp|{in}/import.cvp|{out}/merged.cvp"
    "check|--apt|{in}/apt.dat|{in}/demo"
    "check|--turnaround|45|{out}/merged.cvp"
    "board|--icao|ENGM|{in}/demo"
    "board|--apt|{in}/apt.dat|--icao|lemd|--zone|+1|--day|Mon|{in}/demo"
    "board|--fs|{fs}|--icao|KBOS|--zone|- 5|--day|sat|{out}/demo.cvp"
    "timetable|--fs|{fs}|--zone|+1|{out}/demo.cvp|{in}/timetable.csv|{out}/timetable.cvp"
    "compile|--fs|{fs}|{out}/demo.cvp"
    "open|--fs|{fs}|{out}/opened.cvp"
    "compile|--fs|{fs}|{out}/merged.cvp"
    "open|--fs|{fs}|{out}/opened-again"
  )
  # Flight times across the apt.dat, in every direction and at several speeds.
  local codes=(KSEA KJFK EGLL ENBR CYVR RJTT YSSY SAEZ FACT NZAA)
  local from to speed=120
  for from in "${codes[@]}"; do
    for to in "${codes[@]}"; do
      commands+=("eta|--apt|{in}/apt.dat|--from|$from|--to|$to|--speed|$speed")
      speed=$(((speed * 7 + 31) % 560 + 40))
    done
  done

  local index=0 command side out fs inputs line status words
  for command in "${commands[@]}"; do
    index=$((index + 1))
    for side in linux windows; do
      if [ "$side" = linux ]; then
        out=$work/linux fs=$work/linux/FS2002 inputs=$work/inputs
      else
        out=$(_windows_path "$work/windows") fs=$(_windows_path "$work/windows/FS2002")
        inputs=$(_windows_path "$work/inputs")
      fi
      line=${command//\{out\}/$out}
      line=${line//\{fs\}/$fs}
      line=${line//\{in\}/$inputs}
      IFS='|' read -r -a words <<<"$line"
      status=0
      if [ "$side" = linux ]; then
        WINEPREFIX=$work/linux-prefix XDG_CONFIG_HOME=$work/config "$linux/corvane-cli" "${words[@]}" \
          >"$work/$side.$index.out" 2>"$work/$side.$index.err" || status=$?
      else
        wine "$windows/corvane-cli.exe" "${words[@]}" >"$work/$side.$index.out" 2>"$work/$side.$index.err" || status=$?
      fi
      echo "$status" >"$work/$side.$index.status"
    done
    # A backup's path is each side's own, and its name holds the minute of the run.
    sed -i -E 's#^backup: .*/Traffic \([0-9.]+ - [0-9.]+\)#backup: Traffic (minute)#' \
      "$work/linux.$index.out" "$work/windows.$index.out"
    local part
    for part in status out err; do
      if ! cmp -s "$work/linux.$index.$part" "$work/windows.$index.$part"; then
        echo "corvane-cli.exe differs from corvane-cli ($part) on: $command"
        diff <(head -c 2000 "$work/linux.$index.$part") <(head -c 2000 "$work/windows.$index.$part") | head -n 10
        failures=$((failures + 1))
      fi
    done
    if [ "$(cat "$work/linux.$index.status")" != 0 ] && [[ $command != check\|* && $command != timetable\|* ]]; then
      echo "corvane-cli failed on: $command"
      cat "$work/linux.$index.err"
      failures=$((failures + 1))
    fi
  done

  # Every file either program wrote (the simulators' traffic.bgl and backups too), byte for byte.
  local file
  while IFS= read -r -d '' file; do
    file=${file#"$work/linux/"}
    case $file in FS2002/SCENEDB/ATC/Scenery/Traffic\ Backup/*) continue ;; esac
    if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
      echo "corvane-cli.exe wrote a different $file"
      failures=$((failures + 1))
    fi
  done < <(find "$work/linux" -type f -print0)
  if [ "$(cd "$work/linux" && find . -type f | sort)" != "$(cd "$work/windows" && find . -type f | sort)" ]; then
    echo "corvane-cli.exe and corvane-cli wrote different sets of files"
    diff <(cd "$work/linux" && find . -type f | sort) <(cd "$work/windows" && find . -type f | sort) | head -n 20
    failures=$((failures + 1))
  fi
  echo "corvane-cli.exe and corvane-cli: ${#commands[@]} commands compared, $failures difference(s)"
  if [ "$failures" -gt 0 ]; then
    echo "(the runs are kept in $work)"
    return 1
  fi
  rm -rf "$work"
}

# The Windows path of a host path, through Wine's drive Z: (the host's root).
_windows_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}
