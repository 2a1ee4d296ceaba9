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
  # Another program holding the answer server's port (a copy of the kit's server here): demo.cmd says so in
  # both languages, lays nothing out and ends with 1.  Each wait on the port has a deadline.
  port_open() { (exec 3<>"/dev/tcp/127.0.0.1/$KARIO_DEMO_PORT") 2>/dev/null; }
  # wait_port open|closed: until a connection is taken (or refused), at most 30 s; a port that never gets
  # there fails the test here, rather than as a vaguer failure later.
  wait_port() {
    local deadline=$((SECONDS + 30))
    until if [ "$1" = open ]; then port_open; else ! port_open; fi; do
      [ "$SECONDS" -lt "$deadline" ] || { echo "port $KARIO_DEMO_PORT not $1 within 30 s"; exit 1; }
      sleep 0.2  # the port has no event of its own to wait on: it is asked again
    done
  }
  mkdir -p ../PortHolder && cp answer-server/* ../PortHolder/
  (cd ../PortHolder && exec wine answer-server.exe --port "$KARIO_DEMO_PORT" --places places.tsv \
    --numbers numbers.tsv) >/dev/null 2>&1 &
  holder=$!
  wait_port open
  rc=0
  wine cmd /c demo.cmd >"$build/demo-kit-taken.log" 2>&1 || rc=$?
  kill "$holder" && wait "$holder" || true
  wait_port closed
  if [ "$rc" != 1 ] || [ -e device ] || ! grep -q "is held by another program" "$build/demo-kit-taken.log" ||
    ! grep -q "別のプログラム" "$build/demo-kit-taken.log"; then
    cat "$build/demo-kit-taken.log"; echo "demo.cmd with its port taken: exit $rc"; exit 1
  fi
  wine cmd /c demo.cmd >"$build/demo-kit.log" 2>&1 || { cat "$build/demo-kit.log"; exit 1; }
  export KARIO_DEMO_KIT="C:\\Unpacked\\$name" filter='DemoKit.*'
fi
# A skipped test would pass too: the walk must have run.
"$here/scripts/wine-run" "$2" --gtest_color=no --gtest_filter="$filter" | tee "$walk"
grep -q '^\[       OK \] ' "$walk"
