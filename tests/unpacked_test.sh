#!/usr/bin/env bash
# Makes a zip from the Windows build, unpacks it into a fresh Wine prefix and walks it from there; the prefix's
# Wine ends with this script, however it ends.  "package": the program's zip, walked with the keyboard alone.
# "demokit PORT": the demo kit, its demo.cmd run, then the e2e test DemoKit.* (which ends with demo-undo.cmd).
# Arguments: the build folder, the e2e_tests program, the zip, the kit's port.
set -euo pipefail
build=$1 here=$(cd "$(dirname "$0")/.." && pwd) kind=$3
export KARIO_BUILD_DIR=$build KARIO_WINE_NAME=$kind KARIO_DEMO_PORT=${4:-}
rm -rf "$build/package-test" && mkdir -p "$build/package-test"
if [ "$kind" = package ]; then
  (cd "$build/package-test" && cpack -G ZIP --config "$build/CPackConfig.cmake" >/dev/null)
  zip=$(echo "$build"/package-test/kariosearch-*.zip)
else
  cmake --build "$build" --target demo_kit >/dev/null
  zip=$(echo "$build"/demo-kit/kariosearch-*-demo.zip)
fi
name=$(basename "$zip" .zip) walk="$build/$kind-walk.log"
trap '"$here/scripts/stop-wine" "$build" "$kind"' EXIT
"$here/scripts/stop-wine" "$build" "$kind"
rm -rf "$build/wine/$kind/prefix"
eval "$(KARIO_WINE_PRINT_ENV=1 "$here/scripts/wine-run" x)"  # makes the prefix
unzip -q "$zip" -d "$WINEPREFIX/drive_c/Unpacked"
cd "$WINEPREFIX/drive_c/Unpacked/$name"
if [ "$kind" = package ]; then
  ls kariosearch.exe kariosearch.htm readme-ja.txt LICENSE >/dev/null
  export KARIO_UNPACKED_EXE="C:\\Unpacked\\$name\\kariosearch.exe" filter='SearchFlow.Keys*'
else
  wine cmd /c demo.cmd >"$build/demo-kit.log" 2>&1 || { cat "$build/demo-kit.log"; exit 1; }
  export KARIO_DEMO_KIT="C:\\Unpacked\\$name" filter='DemoKit.*'
fi
# A skipped test would pass too: the walk must have run.
"$here/scripts/wine-run" "$2" --gtest_color=no --gtest_filter="$filter" | tee "$walk"
grep -q '^\[       OK \] ' "$walk"
