// The keyword scan of mesh files: throughput beside glibc memmem on the same
// buffers, and a whole SFine search over 121 files of 256 KiB beside only
// reading them.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "search/mesh.h"
#include "search/find_bytes.h"
#include "search/mesh_scan.h"
#include "tools/common/crafted_mesh_files.h"

namespace {

constexpr int32_t kRefLon = 503160000;
constexpr int32_t kRefLat = 128450000;

struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1)); }
};

// Mesh-file-like bytes: records of 3..6 zero bytes, two offsets and a name
// of 2..8 kana or kanji; one record in `every` holds the needle in its name.
std::string MakeMeshBytes(std::size_t size, uint32_t seed, const std::string& needle, int every) {
  Random random{seed};
  std::string bytes;
  bytes.reserve(size + 64);
  int record = 0;
  while (bytes.size() < size) {
    bytes.append(random.Between(3, 6), '\0');
    int16_t lon = static_cast<int16_t>(random.Between(-14400, 14400));
    int16_t lat = static_cast<int16_t>(random.Between(-9600, 9600));
    bytes.append(reinterpret_cast<const char*>(&lon), 2);
    bytes.append(reinterpret_cast<const char*>(&lat), 2);
    int characters = random.Between(2, 8);
    for (int c = 0; c < characters; ++c) {
      if (random.Between(0, 3) == 0) {  // katakana
        bytes.push_back('\x83');
        bytes.push_back(static_cast<char>(random.Between(0x40, 0x7E)));
      } else {  // first-level kanji
        bytes.push_back(static_cast<char>(random.Between(0x89, 0x97)));
        int trail = random.Between(0x80, 0xFC);
        bytes.push_back(static_cast<char>(trail));
      }
    }
    if (every > 0 && ++record % every == 0) bytes += needle;
    bytes.push_back('\0');
  }
  bytes.resize(size);
  return bytes;
}

int CountWithMemmem(const std::string& haystack, const std::string& needle) {
  int count = 0;
  const char* at = haystack.data();
  const char* end = haystack.data() + haystack.size();
  while (at < end) {
    const void* hit = memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size());
    if (hit == nullptr) break;
    ++count;
    at = static_cast<const char*>(hit) + 1;  // overlapping, as the scan
  }
  return count;
}

// Scan and memmem timed on the same buffer in every iteration; the reported
// time is the scan's, the counters give both throughputs and their ratio.
void ScanBesideMemmem(benchmark::State& state, const char16_t* term, int every) {
  std::size_t size = static_cast<std::size_t>(state.range(0));
  std::string needle = WideToCodePage932(term);
  std::string bytes = MakeMeshBytes(size, 12345, needle, every);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  g_referenceLongitude = kRefLon;
  g_referenceLatitude = kRefLat;
  double scanSeconds = 0, memmemSeconds = 0;
  int found = 0, expected = 0;
  for (auto _ : state) {
    ResultListClear();
    auto t0 = std::chrono::steady_clock::now();
    found = ScanMeshBuffer(MeshLevel::SFine, data, size, needle, u"53394615.tgx", kRefLon, kRefLat);
    auto t1 = std::chrono::steady_clock::now();
    expected = CountWithMemmem(bytes, needle);
    benchmark::DoNotOptimize(expected);
    auto t2 = std::chrono::steady_clock::now();
    double scan = std::chrono::duration<double>(t1 - t0).count();
    scanSeconds += scan;
    memmemSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(scan);
  }
  double megabytes = static_cast<double>(size) * static_cast<double>(state.iterations()) / 1e6;
  state.counters["scan_MBps"] = megabytes / scanSeconds;
  state.counters["memmem_MBps"] = megabytes / memmemSeconds;
  state.counters["scan_to_memmem"] = memmemSeconds / scanSeconds;
  state.counters["hits"] = found;
  if (found > expected) state.SkipWithError("scan found more occurrences than memmem");
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

// A rare place name: a few hits per file, as a real search.
void BM_ScanRareTerm(benchmark::State& state) { ScanBesideMemmem(state, u"厚木", 4000); }
// A term whose first byte (0x83, katakana) is everywhere but which never
// matches in full: the worst case for the first-byte test.
void BM_ScanFrequentFirstByte(benchmark::State& state) { ScanBesideMemmem(state, u"ヴァ", 0); }
// A common name part: hundreds of hits, each decoded and listed.
void BM_ScanManyHits(benchmark::State& state) { ScanBesideMemmem(state, u"駅前", 50); }

BENCHMARK(BM_ScanRareTerm)->Arg(256 << 10)->Arg(2 << 20)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanFrequentFirstByte)->Arg(256 << 10)->Arg(2 << 20)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanManyHits)->Arg(256 << 10)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Files made to cost the scan the most (tools/common/crafted_mesh_files.h),
// 2 MiB each, beside memmem over the same bytes: before the walks back
// remembered what they learned, the first of them took about 37 minutes.
void ScanCraftedBesideMemmem(benchmark::State& state, const std::string& bytes, const std::string& needle) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  g_referenceLongitude = kRefLon;
  g_referenceLatitude = kRefLat;
  double scanSeconds = 0, memmemSeconds = 0;
  for (auto _ : state) {
    ResultListClear();
    auto t0 = std::chrono::steady_clock::now();
    int found = ScanMeshBuffer(MeshLevel::SFine, data, bytes.size(), needle, u"53394615.tgx", kRefLon, kRefLat);
    auto t1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(CountWithMemmem(bytes, needle));
    auto t2 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(found);
    double scan = std::chrono::duration<double>(t1 - t0).count();
    scanSeconds += scan;
    memmemSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(scan);
  }
  state.counters["scan_to_memmem"] = memmemSeconds / scanSeconds;
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}

constexpr std::size_t kCraftedSize = 2 << 20;
void BM_CraftedRepeatedTerm(benchmark::State& state) {
  ScanCraftedBesideMemmem(state, CraftRepeatedTerm(kCraftedSize), kCraftedTerm);
}
void BM_CraftedRandomBytesTermEvery64(benchmark::State& state) {
  ScanCraftedBesideMemmem(state, CraftRandomBytesWithTerm(kCraftedSize, 7, 64), kCraftedTerm);
}
void BM_CraftedNameRun(benchmark::State& state) {
  ScanCraftedBesideMemmem(state, CraftNameCharacterRun(kCraftedSize, 64, false), kCraftedTerm);
}
void BM_CraftedNameRunWithBreaks(benchmark::State& state) {
  ScanCraftedBesideMemmem(state, CraftNameCharacterRun(kCraftedSize, 64, true), kCraftedTerm);
}
BENCHMARK(BM_CraftedRepeatedTerm)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CraftedRandomBytesTermEvery64)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CraftedNameRun)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CraftedNameRunWithBreaks)->UseManualTime()->Unit(benchmark::kMillisecond);

// The term search alone at each vector width, on 2 MiB with a rare term:
// whether a wider vector gains anything where reading the bytes is the cost.
void BM_FindBytesWidth(benchmark::State& state) {
  const std::string needle = WideToCodePage932(u"厚木");
  const std::string bytes = MakeMeshBytes(2 << 20, 12345, needle, 4000);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* term = reinterpret_cast<const unsigned char*>(needle.data());
  const std::size_t width = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    int found = 0;
    for (std::size_t p = FindBytesUpTo(width, data, bytes.size(), 0, term, needle.size()); p != kBytesNotFound;
         p = FindBytesUpTo(width, data, bytes.size(), p + 1, term, needle.size()))
      ++found;
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_FindBytesWidth)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

// Random bytes (no run of three 0 bytes) with the term at three random
// places: a damaged card or a file that is no map data.
std::string RandomBytesWithTermThrice(std::size_t size, uint32_t seed, const std::string& needle) {
  std::string bytes = CraftRandomBytesWithTerm(size, seed, 2 * size, needle);  // planted nowhere
  Random random{seed};
  for (int i = 0; i < 3; ++i)
    bytes.replace(static_cast<std::size_t>(random.Between(0, static_cast<int>(size - needle.size()))), needle.size(),
                  needle);
  return bytes;
}

// A whole SFine search: 121 files of 256 KiB around the reference point,
// written once into a temporary map data folder.
class SFineFolder {
 public:
  // `randomBytes`: each file random bytes with the term planted three
  // times, instead of records.
  explicit SFineFolder(bool randomBytes) {
    char pattern[] = "/tmp/kario_bench_XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    dir_ = pattern;
    std::filesystem::create_directories(dir_ + "/levelS");
    std::string needle = WideToCodePage932(u"厚木");
    uint32_t seed = 1;
    for (const MeshPoint& p : MeshSearchPoints(MeshLevel::SFine, kRefLon, kRefLat)) {
      MeshCell cell = MeshCellAt(MeshLevel::SFine, p.lon, p.lat);
      paths_.push_back(dir_ + "/levelS/" + Utf16ToUtf8(cell.code));
      std::ofstream out(paths_.back(), std::ios::binary);
      out << (randomBytes ? RandomBytesWithTermThrice(256 << 10, seed++, needle)
                          : MakeMeshBytes(256 << 10, seed++, needle, 4000));
    }
    folder_ = Utf8ToUtf16(dir_);
    for (char16_t& c : folder_)
      if (c == u'/') c = u'\\';
    folder_ += u"\\";
  }
  ~SFineFolder() {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  const std::u16string& folder() const { return folder_; }
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::string dir_;
  std::u16string folder_;
  std::vector<std::string> paths_;
};

// The floor under any search of these files: each opened, read whole by one
// fread into one buffer, and closed, in the order the search visits them.
std::size_t ReadFilesOnly(const std::vector<std::string>& paths) {
  static unsigned char buffer[kMeshFileMaxBytes];
  std::size_t total = 0;
  for (const std::string& path : paths) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) continue;
    total += std::fread(buffer, 1, sizeof buffer, file);
    (void)std::fclose(file);
  }
  return total;
}

// The search and the floor timed on the same files in every iteration; the
// reported time is the search's, search_to_floor how many times the floor
// it takes.
void SearchSFineBesideFloor(benchmark::State& state, const SFineFolder& folder) {
  g_referenceLongitude = kRefLon;
  g_referenceLatitude = kRefLat;
  int count = 0;
  double searchSeconds = 0, floorSeconds = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    count = SearchMeshLevel(MeshLevel::SFine, u"厚木", folder.folder());
    auto t1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ReadFilesOnly(folder.paths()));
    auto t2 = std::chrono::steady_clock::now();
    double search = std::chrono::duration<double>(t1 - t0).count();
    searchSeconds += search;
    floorSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(search);
  }
  state.counters["lines"] = count;
  state.counters["search_ms"] = searchSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["floor_ms"] = floorSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["search_to_floor"] = searchSeconds / floorSeconds;
  state.SetBytesProcessed(static_cast<int64_t>(121) * (256 << 10) * state.iterations());
}
void BM_SearchSFine121Files(benchmark::State& state) {
  static SFineFolder folder(false);
  SearchSFineBesideFloor(state, folder);
  if (state.counters["lines"] == 0) state.SkipWithError("the search found nothing: files not written?");
}
// The same search over random bytes: the walks back and the fallback's look
// for three 0 bytes find nothing to stop at.
void BM_SearchSFine121RandomFiles(benchmark::State& state) {
  static SFineFolder folder(true);
  SearchSFineBesideFloor(state, folder);
}
BENCHMARK(BM_SearchSFine121Files)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchSFine121RandomFiles)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
