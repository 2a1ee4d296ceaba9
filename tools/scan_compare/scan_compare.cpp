// scan-compare: prints every result line the map data scan gives for
//   - each fuzz seed file given (byte 0 the term's length, then the term,
//     then the file), scanned at every level;
//   - N random files and terms (seeded, so every run prints the same
//     inputs): records as the map data writer makes them, records with broken
//     offsets, zero runs, newlines and parentheses, bytes from a small
//     alphabet and plain random bytes; terms cut from the file (often at its
//     end or across two records), frequent single bytes and absent terms;
//   - whole searches at every level over folders of such files around a
//     point, which go through the files' reading as well.
// Each scan prints a header line, its count and its lines in list order.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "search/mesh.h"
#include "search/mesh_scan.h"
#include "tools/common/crafted_mesh_files.h"
#include "tools/common/native_path.h"
#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

const MeshLevel kLevels[] = {MeshLevel::L, MeshLevel::M, MeshLevel::R, MeshLevel::SQuartered, MeshLevel::SFine};
constexpr int32_t kRefLon = 503160000, kRefLat = 128450000;

struct Random {
  uint64_t state;
  uint32_t Next() {  // a 64-bit linear congruential generator, the high half
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state >> 32);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
};

void PrintList(const std::string& header, int count) {
  std::printf("%s count %d\n", header.c_str(), count);
  for (const std::u16string& line : ResultListLines()) std::printf("  %s\n", Utf16ToUtf8(line).c_str());
}

void ScanAtEveryLevel(const std::string& what, const std::string& file, const std::string& term) {
  for (MeshLevel level : kLevels) {
    MeshCell cell = MeshCellAt(level, kRefLon, kRefLat);
    ResultListClear();
    int count = ScanMeshBuffer(level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), term, cell.code,
                               cell.centreLon, cell.centreLat);
    PrintList(what + " level " + std::to_string(static_cast<int>(level)), count);
  }
}

// A few name characters, so that terms cut from one name occur in others.
const char* const kNameCharacters[] = {"\x93\x8C", "\x8B\x9E", "\x89\x77", "\x83\x41",
                                       "\x82\xA0", "\x8C\xFA", "\x96\xD8"};
// Bytes that steer the walk back: 0, newline, parentheses, lead and trail bytes, a
// non-name character's bytes (0x81 0x45 is "・").
const unsigned char kSteeringBytes[] = {0,    0,    0,    10,   '(',  ')',  0x81, 0x45, 0x82,
                                        0xA0, 0x83, 0x41, 0x93, 0x8C, 0xE0, 0x40, 'A'};

std::string RandomName(Random& r) {
  std::string name;
  for (int n = 1 + r.Below(6); n > 0; --n) {
    int pick = r.Below(20);
    name += pick < 14 ? kNameCharacters[pick % 7] : pick < 16 ? "\n" : pick < 18 ? "(" : pick < 19 ? ")" : "\x81\x45";
  }
  return name;
}

std::string RandomFile(Random& r, int kind, std::size_t size) {
  std::string file;
  while (file.size() < size) {
    if (kind == 0) {  // well-formed records, as the writer makes them
      MeshOffsets offsets = ChooseMeshOffsets(MeshLevel::L, r.Below(3600000) - 1800000, r.Below(2400000) - 1200000);
      AppendMeshRecord(file, offsets, RandomName(r));
    } else if (kind == 1) {  // records with any zero run and any offsets, 0 and out of range included
      file.append(static_cast<std::size_t>(r.Below(6)), '\0');
      for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>(r.Below(4) == 0 ? 0 : r.Below(256)));
      file += RandomName(r);
      file.push_back('\0');
    } else if (kind == 2) {
      file.push_back(static_cast<char>(kSteeringBytes[r.Below(sizeof kSteeringBytes)]));
    } else {
      file.push_back(static_cast<char>(r.Below(256)));
    }
  }
  if (r.Below(4) != 0) file.resize(size);  // else the last record runs on past `size`
  return file;
}

std::string RandomTerm(Random& r, const std::string& file) {
  int pick = r.Below(10);
  if (pick == 0) return std::string(1, static_cast<char>(kSteeringBytes[r.Below(sizeof kSteeringBytes)]));
  if (pick == 1) return kNameCharacters[r.Below(7)];
  if (pick == 2 || file.empty()) return "\x9F\xFC\x9F\xFC";                     // in no name of the files above
  std::size_t len = 1 + static_cast<std::size_t>(r.Below(pick == 3 ? 40 : 6));  // beyond 31 bytes too
  if (len > file.size()) len = file.size();
  std::size_t at =
      pick == 4 ? file.size() - len : static_cast<std::size_t>(r.Below(static_cast<int>(file.size() - len + 1)));
  return file.substr(at, len);
}

void RandomScans(int cases, uint64_t seed) {
  Random r{seed};
  for (int c = 0; c < cases; ++c) {
    int kind = r.Below(4);
    std::size_t size = static_cast<std::size_t>(c % 50 == 49 ? r.Below(300000) : r.Below(c % 3 == 0 ? 40 : 3000));
    std::string file = RandomFile(r, kind, size);
    std::string term = RandomTerm(r, file);
    // The sorted list costs the square of its lines: long files get long terms.
    while (size > 3000 && term.size() < 6) term = RandomTerm(r, file);
    ScanAtEveryLevel("random " + std::to_string(c) + " kind " + std::to_string(kind), file, term);
  }
  // Past the file limit: only the first kMeshFileMaxBytes bytes are scanned.
  std::string big = RandomFile(r, 0, kMeshFileMaxBytes + 4096);
  for (int t = 0; t < 8; ++t) {
    std::string term = RandomTerm(r, big);
    while (term.size() < 8) term = RandomTerm(r, big);
    ScanAtEveryLevel("big " + std::to_string(t), big, term);
  }
}

// Every file that a search at any level around the point may open, filled
// with random files of every kind; then each level searched for a few terms.
void FolderSearches(int folders, uint64_t seed) {
  Random r{seed};
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("scan-compare-" + std::to_string(seed));
  g_referenceLongitude = kRefLon;
  g_referenceLatitude = kRefLat;
  for (int f = 0; f < folders; ++f) {
    std::filesystem::remove_all(dir);
    std::string all;
    for (MeshLevel level : kLevels) {
      for (const MeshPoint& point : MeshSearchPoints(level, kRefLon, kRefLat)) {
        MeshCell cell = MeshCellAt(level, point.lon, point.lat);
        for (int quarter = 1; quarter <= MeshFilesPerPoint(level); ++quarter) {
          if (r.Below(8) == 0) continue;  // a missing file
          const std::filesystem::path path =
              NativeFilePath(MeshFileCandidates(level, Utf8ToUtf16(dir.string() + "/"), cell, quarter)[0]);
          std::filesystem::create_directories(path.parent_path());
          std::string file = RandomFile(r, r.Below(3), static_cast<std::size_t>(r.Below(20000)));
          std::ofstream(path, std::ios::binary) << file;
          if (all.size() < 100000) all += file;
        }
      }
    }
    for (int t = 0; t < 6; ++t) {
      // A term of Shift-JIS text: a piece of the files that reads back the
      // same, else a few name characters.
      std::string piece = RandomTerm(r, all);
      std::u16string term = CodePage932ToWide(piece.data(), piece.size());
      if (WideToCodePage932(term) != piece || r.Below(2) == 0) {
        piece = std::string(kNameCharacters[r.Below(7)]) + kNameCharacters[r.Below(7)];
        term = CodePage932ToWide(piece.data(), piece.size());
      }
      for (MeshLevel level : kLevels) {
        int count = SearchMeshLevel(level, term, Utf8ToUtf16(dir.string() + "/"));
        PrintList("folder " + std::to_string(f) + " term " + Utf16ToUtf8(term) + " level " +
                      std::to_string(static_cast<int>(level)),
                  count);
      }
    }
  }
  std::filesystem::remove_all(dir);
}

// The files that cost the scan the most, at sizes the scan of any age
// lists in seconds: the term over and over, random bytes without three 0
// bytes in a row, runs of name characters with and without breaks, bytes
// that pair with themselves and newlines after one record.
void CraftedScans() {
  for (std::size_t size : {std::size_t{4096}, std::size_t{16384} + 3}) {
    const std::string tag = " size " + std::to_string(size);
    ScanAtEveryLevel("crafted repeated term" + tag, CraftRepeatedTerm(size), kCraftedTerm);
    ScanAtEveryLevel("crafted random bytes" + tag, CraftRandomBytesWithTerm(size, 7, 64), kCraftedTerm);
    ScanAtEveryLevel("crafted name run" + tag, CraftNameCharacterRun(size, 64, false), kCraftedTerm);
    ScanAtEveryLevel("crafted name run with breaks" + tag, CraftNameCharacterRun(size, 64, true), kCraftedTerm);
    ScanAtEveryLevel("crafted self-pairing" + tag, CraftSelfPairingRun(size), "\x89\x89");
    ScanAtEveryLevel("crafted newlines" + tag, CraftNewlinesAfterRecord(size / 16), "\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  g_referenceLongitude = kRefLon;
  g_referenceLatitude = kRefLat;
  int cases = 3000;
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--random" && i + 1 < argc) {
      cases = std::atoi(argv[++i]);
    } else {
      seeds.push_back(arg);
    }
  }
  for (const std::string& path : seeds) {
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 2) continue;
    std::size_t len = 1 + static_cast<unsigned char>(data[0]) % kMeshTermMaxBytes;  // as the fuzz target reads it
    if (data.size() < 1 + len) continue;
    ScanAtEveryLevel("seed " + path, data.substr(1 + len), data.substr(1, len));
  }
  RandomScans(cases, 19);
  FolderSearches(cases / 100, 20);
  CraftedScans();
  return 0;
}
