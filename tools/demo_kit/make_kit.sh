#!/usr/bin/env bash
# Assembles the demo kit's zip from a Windows build:
#   make_kit.sh ZIP SOURCE_DIR BUILD_DIR kariosearch.exe stand-in.exe answer-server.exe \
#               demo-helper.exe mapdata-writer.exe qlcode-writer.exe
# The map data and the QLCode database are written from the sample gazetteer
# by the build's own writers, run under Wine (in the build's prefix "kitdata"),
# the same data scripts/run gives its demo device.
set -euo pipefail
zip=$1 src=$2 build=$3 program=$4 standin=$5 server=$6 helper=$7 mapwriter=$8 qlwriter=$9
name=$(basename "$zip" .zip)
stage=$(dirname "$zip")/stage
kit=$stage/$name
rm -rf "$stage" "$zip" && mkdir -p "$kit"/{program,standin,answer-server,card/Varnelle/Map}
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }  # texts a Windows editor shows whole

cp "$program" "$src/resources/kariosearch.htm" "$kit/program/"
cp "$standin" "$kit/standin/TessaraMobile10.exe"
cp "$server" "$kit/answer-server/answer-server.exe"
cp "$src/tools/gazetteer/places.tsv" "$src/tools/answer_server/numbers.tsv" "$kit/answer-server/"
cp "$helper" "$kit/demo-helper.exe"
for f in demo.cmd demo-undo.cmd demo-readme.txt; do crlf "$src/tools/demo_kit/$f" "$kit/$f"; done
crlf "$src/LICENSE" "$kit/LICENSE"
crlf "$src/tools/gazetteer/LICENSE" "$kit/LICENSE-sample-data.txt"

tail -n +2 "$src/tools/gazetteer/places.tsv" | cut -f1-3 >"$stage/places.tsv"
awk -f "$src/tools/demo_kit/qlcode_places.awk" "$src/tools/gazetteer/places.tsv" >"$stage/qlcode.tsv"
export KARIO_BUILD_DIR=$build KARIO_WINE_NAME=kitdata
trap '"$src/scripts/stop-wine" "$build" kitdata' EXIT
"$src/scripts/wine-run" "$mapwriter" --s-layout both "Z:$stage/places.tsv" "Z:$kit/card/Varnelle/Map" >/dev/null
"$src/scripts/wine-run" "$qlwriter" --version 2 "Z:$stage/qlcode.tsv" "Z:$kit/card/Varnelle/Map/qlcode_v2.qldb" >/dev/null
[ -f "$kit/card/Varnelle/Map/qlcode_v2.qldb" ] && [ -d "$kit/card/Varnelle/Map/levelL" ] || { echo "make_kit: no demo data" >&2; exit 1; }

(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name")
rm -rf "$stage"
echo "demo kit: $zip"
