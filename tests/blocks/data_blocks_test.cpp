#include "blocks/data_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

const std::string kB6 = "\xB6";

TEST(Markers, AreUpperCaseWithTheB6Byte) {
  EXPECT_EQ(StartMarker("pig_txt"), "SO!#PIG_TXT" + kB6);
  EXPECT_EQ(EndMarker("Pig_Txt"), "EO!#PIG_TXT");
}

TEST(AppendBlock, AppendsInPlaceAndReadsBackInAnyCase) {
  test::TempFolder dir;
  const std::string file = dir.Write("archive.run", "PROGRAM");
  AppendBlock("pig_txt", file, "<VX/>");
  AppendBlock("", file, "ignored");
  AppendBlock("EMPTY", file, "");
  AppendBlock("AB12", file, std::string("\0\xFF", 2));
  const std::string bytes = ReadWholeFile(file);
  EXPECT_EQ(bytes, "PROGRAMSO!#PIG_TXT" + kB6 + "<VX/>EO!#PIG_TXTSO!#EMPTY" + kB6 +
                       "EO!#EMPTYSO!#AB12" + kB6 + std::string("\0\xFF", 2) + "EO!#AB12");
  const BlockIndex index(bytes);
  EXPECT_EQ(index.Find("PIG_TXT"), "<VX/>");
  EXPECT_EQ(index.Find("Pig_Txt"), "<VX/>");
  EXPECT_EQ(index.Find("ab12"), std::string("\0\xFF", 2));
  EXPECT_EQ(index.Find("EMPTY"), "");
  EXPECT_THROW(AppendBlock("X", dir / "missing", "data"), std::runtime_error);
}

// Every case is checked against the plain first-occurrence search too.
struct FindCase {
  const char* what;
  std::string image;
  std::string name;
  std::string expected;
};

TEST(BlockIndex, AgreesWithThePlainSearch) {
  const FindCase cases[] = {
      {"missing name", "SO!#A" + kB6 + "xEO!#A", "B", ""},
      {"missing end marker", "SO!#A" + kB6 + "data", "A", ""},
      {"no B6 byte, no start marker", "SO!#PIG_TXTdataEO!#PIG_TXT", "PIG_TXT", ""},
      {"lower-case marker in the image", "so!#a" + kB6 + "xeo!#a", "a", ""},
      {"first start, first end", "SO!#A" + kB6 + "1EO!#ASO!#A" + kB6 + "2EO!#A", "A", "1"},
      {"end marker before the start", "EO!#ASO!#A" + kB6 + "xEO!#A", "A", ""},
      {"end marker is a prefix match", "SO!#A" + kB6 + "xyEO!#AB", "A", "xy"},
      {"name that is a prefix of an earlier one", "SO!#AB" + kB6 + "1EO!#ABSO!#A" + kB6 + "2EO!#A",
       "A", ""},
      {"long name beyond the index key",
       "SO!#" + std::string(100, 'N') + kB6 + "v" + "EO!#" + std::string(100, 'N'),
       std::string(100, 'n'), "v"},
      {"empty name", "SO!#" + kB6 + "zEO!#", "", "z"},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindBlockNaive(c.image, c.name), c.expected) << c.what;
    EXPECT_EQ(BlockIndex(c.image).Find(c.name), c.expected) << c.what;
  }
}

// A large image is indexed in stretches from its start: markers standing across a stretch's
// edge, blocks far behind the start, a missing name (the whole image scanned) and a marker
// copy behind its block must all agree with the plain search, whichever thread asks first.
TEST(BlockIndex, LargeImagesAgreeWithThePlainSearchFromManyThreads) {
  constexpr size_t kMiB = 1 << 20;
  std::string image(12 * kMiB, 'x');
  std::vector<std::string> names;
  // Blocks packed tightly around every mebibyte, so that edges fall inside markers.
  for (size_t mib = 1; mib < 12; ++mib) {
    size_t at = mib * kMiB - 40;
    for (int k = 0; k < 8; ++k) {
      const std::string name = "F" + std::to_string(mib) + "_" + std::to_string(k);
      const std::string block = StartMarker(name) + std::string(k % 3, 'd') + EndMarker(name);
      image.replace(at, block.size(), block);
      names.push_back(name);
      at += block.size();
    }
  }
  const std::string lateCopy = EndMarker("F1_1");
  image.replace(image.size() - 100, lateCopy.size(), lateCopy);
  names.insert(names.end(), {"MISSING", "F", "F1_"});
  std::vector<std::string_view> expected;
  for (const std::string& name : names) expected.push_back(FindBlockNaive(image, name));

  // Scanned straight from the image, through a reader's copies, and from the image again
  // where the reader fails.
  const BlockIndex::StretchReader readers[] = {
      {},
      [&](size_t offset, char* into, size_t size) {
        image.copy(into, size, offset);
        return true;
      },
      [](size_t, char*, size_t) { return false; },
  };
  for (const auto& reader : readers) {
    const BlockIndex index(image, reader);
    std::atomic<int> disagreements{0};
    std::vector<std::thread> threads;
    for (size_t t = 0; t < 4; ++t) {
      threads.emplace_back([&, t] {
        // Each thread asks in its own order, so that scans start from every side.
        for (size_t k = 0; k < names.size(); ++k) {
          const size_t i =
              t % 2 == 0 ? (k * (t + 1) * 7 + t) % names.size() : names.size() - 1 - k;
          if (index.Find(names[i]) != expected[i]) ++disagreements;
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(disagreements, 0);
    EXPECT_EQ(index.Find("F3_1"), "d");
    EXPECT_EQ(index.List().size(), names.size() - 3);
  }
}

// Blocks packed tightly around the first mebibyte, shifted through every phase, so that an
// edge of the first indexed stretch falls at each place inside a marker.
TEST(BlockIndex, MarkersAcrossAStretchEdgeAreFound) {
  for (size_t shift = 0; shift < 24; ++shift) {
    std::string image((1 << 20) + 200, 'x');
    std::vector<std::string> names;
    for (size_t k = 0, at = (1 << 20) - 60 + shift; k < 8; ++k) {
      names.push_back("B" + std::to_string(k));
      const std::string block = StartMarker(names.back()) + "d" + EndMarker(names.back());
      image.replace(at, block.size(), block);
      at += block.size();
    }
    const BlockIndex index(image);
    for (const std::string& name : names)
      EXPECT_EQ(index.Find(name), "d") << name << " shifted by " << shift;
  }
}

TEST(BlockIndex, ListsBlocksThatReadBack) {
  const std::string image =
      "MZ...SO!#PIG_TXT" + kB6 + "abcEO!#PIG_TXTSO!#F1" + kB6 + "EO!#F1SO!#NOEND" + kB6;
  const auto entries = BlockIndex(image).List();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "PIG_TXT");
  EXPECT_EQ(entries[0].offset, 17u);
  EXPECT_EQ(entries[0].size, 3u);
  EXPECT_EQ(entries[1].name, "F1");
  EXPECT_EQ(entries[1].size, 0u);
}

TEST(Compression, RoundTripsAndRefusesBadOrHugeStreams) {
  const std::string data(100000, 'a');
  const std::string packed = CompressToString(data);
  EXPECT_LT(packed.size(), 1000u);
  EXPECT_EQ(DecompressToStream(packed), data);
  EXPECT_EQ(DecompressToStream(CompressToString("")), "");
  EXPECT_THROW(DecompressToStream(packed.substr(0, packed.size() / 2)), std::runtime_error);
  EXPECT_THROW(DecompressToStream("not zlib at all"), std::runtime_error);
  EXPECT_THROW(DecompressToStream(packed, 99999), std::runtime_error);
  EXPECT_EQ(DecompressToStream(packed, 100000), data);
}

}  // namespace
}  // namespace vx
