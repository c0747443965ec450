#!/usr/bin/env bash
# The Windows program, tested under Wine, and its installer, in one command on Debian 12:
#  - installs what it needs (MinGW-w64, Wine, NSIS ...);
#  - cross-builds pcvimo.exe and the test programs against Qt for MinGW (the archive in
#    ../shared/qt6-mingw, or PCVIMO_QT_MINGW_ARCHIVE, unpacked into the build folder; or a Qt folder
#    QT_MINGW_DIR, which scripts/build-qt-mingw.sh makes) and GoogleTest built from Debian's source with the same compiler;
#  - runs the program-logic suites and the window tests under Wine;
#  - makes the installer, installs it silently into a fresh Wine prefix, lets the installed program
#    drain three simulated hand terminals through COM3 (a pseudo-terminal registered as a USB
#    adapter), once on a clean line and once with line faults, and uninstalls it silently;
#  - prints the installer's path as its last line.
# Usage: scripts/windows.sh   (build folder: build-windows, or PCVIMO_WINDOWS_BUILD;
#        PCVIMO_WINDOWS_SCREENSHOT=file.png saves the main window of the clean end-to-end run)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${PCVIMO_WINDOWS_BUILD:-$top/build-windows}
version=$(sed -n 's/^project(PcVimo2 VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
stage() { echo "== $* ($(date +%T))"; }

# --- what it needs ---
"$top/scripts/install-deps.sh" --windows # and the Linux build, for the hand-terminal simulator
mkdir -p "$out"

# --- Qt for MinGW and GoogleTest ---
qt=${QT_MINGW_DIR:-$out/qt6-mingw}
if [ -z "${QT_MINGW_DIR:-}" ] && [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  # Beside the clone, or in the workplace's shared folder when the clone stands elsewhere.
  archive=${PCVIMO_QT_MINGW_ARCHIVE:-}
  for candidate in "$top/../shared/qt6-mingw/qt6-mingw-6.4.2.tar.xz" /work/shared/qt6-mingw/qt6-mingw-6.4.2.tar.xz; do
    [ -z "$archive" ] && [ -f "$candidate" ] && archive=$candidate
  done
  [ -f "$archive" ] || { echo "No Qt for MinGW: set QT_MINGW_DIR or run scripts/build-qt-mingw.sh"; exit 1; }
  tar -C "$out" -xJf "$archive"
fi
. "$top/scripts/ccache-launcher.sh"
gtest=$out/googletest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  stage "GoogleTest for MinGW"
  cmake -S /usr/src/googletest -B "$out/googletest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$gtest" "${launcher[@]}" >/dev/null
  cmake --build "$out/googletest-build" -j2 >/dev/null
  cmake --install "$out/googletest-build" >/dev/null
fi

# --- the Windows build: the program and the test programs Wine runs ---
stage "Windows build"
build=$out/build
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
  -DCMAKE_PREFIX_PATH="$qt;$gtest" -DCMAKE_FIND_ROOT_PATH="$qt;$gtest" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DPCVIMO_BUILD_BENCH=OFF -DPCVIMO_WERROR=ON \
  "${launcher[@]}" >/dev/null
suites=(protocol settings link records app windows)
cmake --build "$build" -j2 --target pcvimo "${suites[@]/%/_tests}"
rm -rf "$out/program"
cmake --install "$build" --prefix "$out/program" >/dev/null
x86_64-w64-mingw32-strip "$out/program/pcvimo.exe"

# The simulator runs on this machine: the Linux build's.
linux=$top/build
[ -f "$linux/CMakeCache.txt" ] || cmake -S "$top" -B "$linux" "${launcher[@]}" >/dev/null
cmake --build "$linux" -j2 --target pcvimo-simulator >/dev/null
simulator=$linux/tools/pcvimo-simulator

# --- Wine: a fresh prefix in the build folder, no display needed ---
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# Wine's first start in a new prefix once failed in CI without a word (exit 53: a DLL not found):
# its output is kept and shown, and a failed start is tried once more in a fresh prefix.
boot_prefix() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >"$out/wineboot.log" 2>&1 && "$wineserver" -w &&
    [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]
}
for attempt in 1 2; do
  boot_prefix && break
  echo "Wine could not set up its prefix (attempt $attempt, exit $?):"
  cat "$out/wineboot.log"
  [ "$attempt" -eq 2 ] && exit 1
  sleep 5
done
winpath() { "$wine" winepath -w "$1"; }
export WINEPATH
WINEPATH=$(winpath "$qt/bin") || { echo "winepath failed for $qt/bin"; exit 1; }

# --- the test programs under Wine ---
# Wine passes no QT_* variable to the program: the platform goes on the command line. The program
# logic needs none; the window tests measure texts in Windows's own fonts, under Xvfb.
stage "Tests under Wine"
failed=0
for suite in "${suites[@]}"; do
  log=$out/$suite-tests.log
  run=("$wine" "$build/tests/${suite}_tests.exe")
  [ "$suite" = windows ] && run=(xvfb-run -a "${run[@]}" -platform windows)
  if (cd "$build/tests" && "${run[@]}") >"$log" 2>&1; then
    echo "$suite: $(grep -E '^\[  PASSED  \]' "$log")"
  else
    echo "$suite: FAILED (see $log)"
    grep -E '^\[  FAILED  \]|Failure' "$log" | head -20
    failed=1
  fi
done
[ $failed -eq 0 ] || exit 1

# --- the installer ---
stage "Installer"
installer=$out/pcvimo-$version-setup.exe
makensis -V2 -DPROGRAM="$out/program" -DOUTFILE="$installer" -DVERSION="$version" \
  "$top/packaging/windows/pcvimo.nsi"
echo "installer: $(du -h "$installer" | cut -f1)"

folder_win='C:\PC Vimo 2'
folder=$WINEPREFIX/drive_c/PC\ Vimo\ 2
# As typed at a command prompt: NSIS takes /D= last and unquoted, spaces and all.
"$wine" cmd /c "$(winpath "$installer") /S /D=$folder_win" >"$out/install.log" 2>&1
for f in pcvimo.exe ViMoText.txt FarSetup-default.txt Qt6Core.dll platforms/qwindows.dll uninstall.exe Setup VimoLog; do
  [ -e "$folder/$f" ] || { echo "the installer left out $f"; cat "$out/install.log"; exit 1; }
done

# --- end to end: the installed program drains simulated hand terminals through COM3 ---
# COM3 is the pseudo-terminal the simulator makes, registered as a USB adapter's port, so the
# program finds it in the system's list and opens it as on a farm PC.
"$wine" regedit /S "$(winpath "$top/tests/e2e/usb-adapter-com3.reg")" >"$out/regedit.log" 2>&1
# Wine's server outlives the command that started it and writes to that command's output; when the
# program's run ends it lists all its objects there. Each run starts a server of its own.
"$wineserver" -w
"$top/scripts/demo-setup.sh" "$folder"
drain() { # NAME TERMINALS RECORDS [SIMULATOR OPTIONS...]; the summary goes to $out/NAME.txt
  local name=$1 terminals=$2 records=$3 work
  shift 3
  work=$(mktemp -d)
  "$simulator" --folder "$work" --port 3 --terminals "$terminals" --records "$records" --seed 23 \
    --until-drained --duration $((120 + terminals * records * 4)) --verify-log "$folder" --print-broadcasts \
    --quiet "$@" >"$work/summary.txt" 2>&1 &
  local sim=$!
  for _ in $(seq 100); do [ -L "$work/ports/COM3" ] && break; sleep 0.1; done
  ln -sfn "$(readlink -f "$work/ports/COM3")" "$WINEPREFIX/dosdevices/com3"
  # Headless; for the screenshot in Windows's own look, on a virtual screen (Qt's FreeType engine:
  # Wine's font drawing leaves text boxes empty).
  local platform=offscreen display="" xvfb=""
  if [ -n "${PCVIMO_WINDOWS_SCREENSHOT:-}" ] && [ "$name" = e2e-clean ]; then
    Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    display=:$(cat "$work/display") platform=windows:fontengine=freetype
  fi
  local start
  start=$(date +%s)
  (cd "$folder" && DISPLAY=$display exec "$wine" "$folder_win\\pcvimo.exe" -platform $platform) \
    >"$work/program.log" 2>&1 &
  local program=$!
  local result=0
  wait "$sim" || result=$?
  local took=$(($(date +%s) - start))
  if [ -n "$xvfb" ]; then # the window on a black screen, cut out
    import -display "$display" -window root png:- | convert - -trim +repage "$PCVIMO_WINDOWS_SCREENSHOT"
    kill "$xvfb"
  fi
  kill "$program" 2>/dev/null || true
  # Ended and gone before the next run starts: a program started while the server is on its way
  # out can fail to load its DLLs.
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  cp "$work/summary.txt" "$out/$name.txt"
  grep -vE '^(staff|medicine) ' "$work/summary.txt"
  grep -qE '^broadcast items received: [1-9][0-9]*, malformed: 0$' "$work/summary.txt" || result=4
  if [ $result -ne 0 ]; then
    echo "end-to-end: the simulator ended with $result"
    cat "$work/program.log"
    exit 1
  fi
  echo "end-to-end: $terminals terminals x $records records drained through COM3, program ended after $took s $*"
  rm -rf "$work"
}
stage "End to end under Wine"
drain e2e-clean 3 10
log=$(ls "$folder"/VimoLog/FAR-*.txt | head -1)
lines=$(($(wc -l <"$log") - 1))
crlf=$(grep -c $'\r$' "$log" || true)
[ "$lines" -eq 30 ] && [ "$crlf" -eq $((lines + 1)) ] || {
  echo "expected 30 record lines, all ending in CR LF, in $log: $lines lines, $crlf with CR LF"
  exit 1
}
echo "$(basename "$log"): 30 record lines, every line ending in CR LF"
# The line faults of the live fault runs. Missed confirmations are put right at the next count
# request, a minute on, so the broadcast goes round meanwhile.
drain e2e-faults 3 6 --corrupt 0.1 --drop-acks 0.2 --garbage 0.1
# The setup's names reach the terminals as the setup file has them.
for item in 'staff 0: "Anna ' 'staff 19: "Ulla ' 'medicine 0: "Oxytocin ' 'medicine 9: "Iron ' \
            'temperature choice: 0' 'interval 1: 120 min'; do
  grep -qF "$item" "$out/e2e-faults.txt" || { echo "the terminals did not receive $item"; exit 1; }
done
echo "broadcast: clock, 20 staff names, 10 medicine names, temperature unit and intervals received"

# --- the uninstaller keeps the records and settings ---
stage "Uninstall"
kept=$(cat "$folder"/VimoLog/* "$folder"/Setup/* | md5sum)
"$wine" "$folder\\uninstall.exe" /S >"$out/uninstall.log" 2>&1
for _ in $(seq 50); do [ ! -e "$folder/pcvimo.exe" ] && break; sleep 0.2; done
[ ! -e "$folder/pcvimo.exe" ] || { echo "the uninstaller left pcvimo.exe"; exit 1; }
[ "$(cat "$folder"/VimoLog/* "$folder"/Setup/* | md5sum)" = "$kept" ] || {
  echo "the uninstaller did not keep VimoLog and Setup"
  exit 1
}
echo "uninstalled: VimoLog\\ and Setup\\ kept ($(ls "$folder/VimoLog" | wc -l) log file, $(ls "$folder/Setup" | wc -l) setup files)"
"$wineserver" -k 2>/dev/null || true
echo "$installer"
