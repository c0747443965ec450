#!/usr/bin/env bash
# Stages a program folder, starts three simulated hand terminals on a pseudo-terminal linked as
# ports/COM3 and starts PC Vimo 2 on it. Without a display it runs under Xvfb for a while, saves
# a screenshot and prints its path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build="$top/build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target pcvimo pcvimo-simulator

stage="$top/stage/pcvimo"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
"$top/scripts/demo-setup.sh" "$stage"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

"$build/tools/pcvimo-simulator" --folder "$stage" --port 3 --terminals 3 --records 20 --duration 3600 &
pids+=($!)
for _ in $(seq 50); do [ -e "$stage/ports/COM3" ] && break; sleep 0.1; done

if [ -n "${DISPLAY:-}" ]; then
  echo "PC Vimo 2 runs from $stage; close its main window to stop."
  (cd /tmp && "$stage/pcvimo")
  exit 0
fi

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
pids+=($!)
export DISPLAY="$display"
sleep 1
(cd /tmp && "$stage/pcvimo") &
pids+=($!)
seconds=${PCVIMO_DEMO_SECONDS:-75}
echo "Running headless for $seconds seconds while the terminals deliver their records..."
sleep "$seconds"
shot="$top/stage/pcvimo-demo.png"
import -window root "$shot"
echo "Records stored: $(cat "$stage"/VimoLog/FAR-*.txt 2>/dev/null | grep -vc '^DateTime' || true)"
echo "Screenshot: $shot"
