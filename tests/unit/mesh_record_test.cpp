#include "search/mesh_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/result_list.h"
#include "tools/common/crafted_mesh_files.h"

namespace {

// The walk back as a person reads it: from the byte before m down, with
// the pending flag, each walk on its own from scratch.
std::size_t WalkBackPlainly(const std::string& b, std::size_t m) {
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
  bool pending = false;
  for (std::size_t k = m; k-- > 0;) {
    if (pending) {
      if (IsNameCharacter(at(k), at(k + 1))) {
        pending = false;
        continue;
      }
      return k < 2 ? kRecordNotFound : k;
    }
    if (at(k) == '(' || at(k) == ')') continue;
    if (at(k) == '\n') {
      if (k < 2) return kRecordNotFound;
      pending = IsNameCharacter(at(k - 2), at(k - 1));
      continue;
    }
    pending = true;
  }
  return kRecordNotFound;
}

// The last run of three 0 bytes before m, from its definition.
std::size_t LastZeroRunPlainly(const std::string& b, std::size_t m) {
  for (std::size_t k = m; k >= 3; --k)
    if (b[k - 3] == 0 && b[k - 2] == 0 && b[k - 1] == 0) return k - 3;
  return kRecordNotFound;
}

// Bytes drawn from a few that steer the walks (0, newline, parentheses, the
// bytes of name characters and of "・"), so that walks of every kind and
// zero runs across 64-byte blocks occur.
std::string SteeringBytes(uint32_t seed, std::size_t size, int zeroWeight) {
  static const unsigned char kBytes[] = {10, '(', ')', 0x81, 0x45, 0x82, 0xA0, 0x83, 0x41, 0x93, 0x8C, 0x89, 'A'};
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    const std::size_t pick = (seed >> 16) % (sizeof kBytes + static_cast<std::size_t>(zeroWeight));
    byte = static_cast<char>(pick < sizeof kBytes ? kBytes[pick] : 0);
  }
  return bytes;
}

// Walking once per occurrence with what earlier walks learned gives what
// each walk on its own gives, for every start position, and for starts
// spread apart (the zero run search then crosses whole blocks).
TEST(MeshRecordTest, RememberedWalksAgreeWithWalksOnTheirOwn) {
  for (uint32_t seed = 1; seed <= 24; ++seed) {
    const std::string bytes = SteeringBytes(seed, 700, seed % 4 == 0 ? 1 : 6);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t stride : {1, 2, 3, 61, 64, 67, 150}) {
      MeshRecordMemo memo;
      for (std::size_t m = seed % stride; m < bytes.size(); m += stride) {
        ASSERT_EQ(WalkBackPlainly(bytes, m), WalkBackToName(data, m, &memo))
            << "seed " << seed << " stride " << stride << " m " << m;
        ASSERT_EQ(LastZeroRunPlainly(bytes, m), FindLastZeroRun(data, m, &memo))
            << "seed " << seed << " stride " << stride << " m " << m;
      }
    }
  }
}

// A run of three 0 bytes at every place around the 64-byte blocks the look
// goes through, seen from the buffer's end and again after an earlier look.
// The file lies amid other bytes, so a look that strays outside it sees
// something other than the file's own bytes.
TEST(MeshRecordTest, ZeroRunsAcrossBlockEdges) {
  for (std::size_t at = 0; at + 3 <= 256; ++at) {
    std::string around(768, 'A');
    around.replace(256 + at, 3, std::string(3, '\0'));
    const std::string bytes = around.substr(256, 256);
    const auto* data = reinterpret_cast<const unsigned char*>(around.data() + 256);
    for (std::size_t earlier : {std::size_t{0}, std::size_t{5}, std::size_t{70}}) {
      MeshRecordMemo memo;
      ASSERT_EQ(LastZeroRunPlainly(bytes, earlier), FindLastZeroRun(data, earlier, &memo)) << at << " " << earlier;
      ASSERT_EQ(LastZeroRunPlainly(bytes, 255), FindLastZeroRun(data, 255, &memo)) << at << " " << earlier;
    }
  }
}

// A name copy leaves out newlines and ends after a byte followed by a 0
// byte, at the file's end or after 101 bytes, also inside a run of newlines
// longer than a word.
TEST(MeshRecordTest, NameCopiesSkipNewlines) {
  const std::string nl20(20, '\n');
  const struct {
    std::string file;
    std::string name;
  } cases[] = {
      {"AB" + nl20 + "C\0D", "ABC"},
      {"AB" + nl20 + std::string("\0D", 2), "AB"},
      {"A" + nl20, "A"},
      {nl20 + nl20, ""},
      {"\n\nA\n\nB\n", "AB"},
      {std::string(50, 'x') + nl20 + std::string(60, 'y'), std::string(50, 'x') + std::string(51, 'y')},
  };
  for (const auto& c : cases) {
    const MeshNameBytes name = CopyMeshName(reinterpret_cast<const unsigned char*>(c.file.data()), c.file.size(), 0);
    EXPECT_EQ(c.name, std::string(name.bytes.data(), name.length)) << c.file;
  }
}

// The walks look at each byte of a file a bounded number of times, whatever
// the bytes: files made to send every walk to the first byte cost at most 5
// steps per byte, not steps per byte and occurrence.  Each name is copied
// once, also the one that every occurrence in a run of newlines names.
TEST(MeshRecordTest, StepsGrowWithTheFileNotWithItsSquare) {
  constexpr std::size_t kSize = 64 << 10;
  const struct {
    const char* what;
    std::string file;
    std::string term;
  } cases[] = {
      {"the term over and over", CraftRepeatedTerm(kSize), kCraftedTerm},
      {"random bytes, the term every 64", CraftRandomBytesWithTerm(kSize, 7, 64), kCraftedTerm},
      {"a run of name characters", CraftNameCharacterRun(kSize, 64, false), kCraftedTerm},
      {"parentheses and newlines between them", CraftNameCharacterRun(kSize, 64, true), kCraftedTerm},
      {"bytes that pair with themselves", CraftSelfPairingRun(kSize), "\x89\x89"},
      {"newlines after one record", CraftNewlinesAfterRecord(kSize), "\n"},
  };
  for (const auto& c : cases) {
    for (MeshLevel level : {MeshLevel::L, MeshLevel::SFine}) {
      const MeshRecordSteps before = CountedMeshRecordSteps();
      ScanMeshBuffer(level, reinterpret_cast<const unsigned char*>(c.file.data()), c.file.size(), c.term, u"CELL",
                     503000000, 128000000);
      const uint64_t walks = CountedMeshRecordSteps().walks - before.walks;
      const uint64_t copies = CountedMeshRecordSteps().copies - before.copies;
      EXPECT_LE(walks, 5 * kSize) << c.what << ": " << walks << " steps of the walks for " << kSize << " bytes";
      EXPECT_LE(copies, kSize) << c.what << ": " << copies << " steps of the name copies for " << kSize << " bytes";
      ResultListClear();
    }
  }
}

}  // namespace
