#!/usr/bin/env bash
# Makes the package from the Windows build, unpacks it into a fresh Wine
# prefix and walks the program from there with the keyboard alone.
# Arguments: the build folder, the e2e_tests program.
set -euo pipefail
build=$1 here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$build/package-test" && mkdir -p "$build/package-test" && cd "$build/package-test"
cpack -G ZIP --config "$build/CPackConfig.cmake" >/dev/null
zip=$(echo kariosearch-*.zip)
export KARIO_BUILD_DIR=$build KARIO_WINE_NAME=package WINEPREFIX=$build/wine/package/prefix
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
KARIO_WINE_PRINT_ENV=1 "$here/scripts/wine-run" x >/dev/null  # makes the prefix
unzip -q "$zip" -d "$WINEPREFIX/drive_c/Unpacked"
for f in kariosearch.exe kariosearch.htm readme-ja.txt LICENSE; do [ -f "$WINEPREFIX/drive_c/Unpacked/${zip%.zip}/$f" ] || exit 1; done
KARIO_UNPACKED_EXE="C:\\Unpacked\\${zip%.zip}\\kariosearch.exe" "$here/scripts/wine-run" "$2" --gtest_color=no \
  --gtest_filter='SearchFlow.Keys*'
