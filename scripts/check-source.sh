#!/usr/bin/env bash
# Source checks CI runs before building: the layering (only the Qt layer and main.cpp may use
# Qt Widgets, Gui or Serial Port) and the house format (clang-format, .clang-format).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
status=0

# Every header of those modules, as installed (the class headers such as <QColor> included).
qt=$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || qmake6 -query QT_INSTALL_HEADERS)
headers=$(cd "$qt" && ls QtWidgets QtGui QtSerialPort | grep -vE '^$|:$' | sort -u | paste -sd'|')
gui="#include <((QtWidgets|QtGui|QtSerialPort)/)?(QtWidgets|QtGui|QtSerialPort|${headers//./\\.})>"
offenders=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp' 'fuzz/*.h' |
  grep -vE '^src/platform/qt/|^src/app/main\.cpp$' | xargs -r grep -nE "$gui" || true)
if [ -n "$offenders" ]; then
  echo "Qt Widgets, Gui or Serial Port used outside src/platform/qt and src/app/main.cpp:"
  echo "$offenders"
  status=1
fi

command -v clang-format >/dev/null || { echo "clang-format is missing"; exit 1; }
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror 2>"$report"; then
  echo "Not in the house format (run clang-format -i on these):"
  grep -oE '^[^:]+\.(cpp|h):' "$report" | tr -d : | sort -u
  status=1
fi
[ $status -eq 0 ] && echo "Source checks passed: layering and format."
exit $status
