#!/usr/bin/env bash
# Makes the package from the Windows build, unpacks it into a fresh Wine
# prefix and runs the unpacked program there (tests/e2e/package_test.cpp).
# Usage: package_test.sh BUILD_DIR E2E_TESTS_EXE
set -euo pipefail
build=$1
e2e=$2
here=$(cd "$(dirname "$0")/.." && pwd)
work="$build/package-test"
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && cpack -G ZIP --config "$build/CPackConfig.cmake" >/dev/null)
zips=("$work"/kariosearch-*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "expected one zip, found: ${zips[*]}"; exit 1; }
listing=$(unzip -Z1 "${zips[0]}")
for f in kariosearch.exe kariosearch.htm readme-ja.txt LICENSE; do
  grep -q "/$f\$" <<<"$listing" || { echo "$f is not in the package"; exit 1; }
done

export KARIO_BUILD_DIR=$build KARIO_WINE_NAME=package
prefix="$build/wine/package/prefix"
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
rm -rf "$prefix"
eval "$(KARIO_WINE_PRINT_ENV=1 "$here/scripts/wine-run" x)"
unzip -q "${zips[0]}" -d "$WINEPREFIX/drive_c/Unpacked"
top=$(basename "${zips[0]}" .zip)
status=0
KARIO_UNPACKED_EXE="C:\\Unpacked\\$top\\kariosearch.exe" "$here/scripts/wine-run" "$e2e" --gtest_color=no \
  --gtest_also_run_disabled_tests --gtest_filter='Package.*' || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
