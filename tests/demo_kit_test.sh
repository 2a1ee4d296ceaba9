#!/usr/bin/env bash
# Makes the demo kit from the Windows build, unpacks it into a fresh Wine
# prefix, runs its demo.cmd and walks the demo from there (the e2e test
# DemoKit.*, which ends with demo-undo.cmd).  The kit's programs and the
# prefix's Wine end with this script, however it ends.
# Arguments: the build folder, the e2e_tests program, the kit's port.
set -euo pipefail
build=$1 here=$(cd "$(dirname "$0")/.." && pwd)
export KARIO_BUILD_DIR=$build KARIO_WINE_NAME=demokit KARIO_DEMO_PORT=$3
cmake --build "$build" --target demo_kit >/dev/null
zip=$(echo "$build"/demo-kit/kariosearch-*-demo.zip) name=$(basename "$zip" .zip)
trap '"$here/scripts/stop-wine" "$build" demokit' EXIT
"$here/scripts/stop-wine" "$build" demokit
rm -rf "$build/wine/demokit/prefix"
eval "$(KARIO_WINE_PRINT_ENV=1 "$here/scripts/wine-run" x)"  # makes the prefix
unzip -q "$zip" -d "$WINEPREFIX/drive_c/DemoKit"
(cd "$WINEPREFIX/drive_c/DemoKit/$name" && wine cmd /c demo.cmd) >"$build/demo-kit.log" 2>&1 || { cat "$build/demo-kit.log"; exit 1; }
# A skipped test would pass too: the walk must have run.
KARIO_DEMO_KIT="C:\\DemoKit\\$name" "$here/scripts/wine-run" "$2" --gtest_color=no --gtest_filter='DemoKit.*' |
  tee "$build/demo-kit-walk.log"
grep -q '^\[       OK \] DemoKit\.' "$build/demo-kit-walk.log" || { cat "$build/demo-kit.log"; exit 1; }
