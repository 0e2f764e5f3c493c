#include "document/output_file.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace vx {
namespace {

TEST(OutputFile, KindSetsTheExtension) {
  const std::string run = kExecutableExtension;
  struct Case {
    const char* what;
    std::string file;
    OutputKind kind;
    std::string expected;
  } cases[] = {
      {"executable to zip", "/a/trip" + run, kEnvelopedKind, "/a/trip.zip"},
      {"zip back to executable", "/a/trip.zip", kExecutableKind, "/a/trip" + run},
      {"JPEG zip", "/a/trip" + run, kJpegZipKind, "/a/trip.zip"},
      {"only the last dot", "/a/my.trip.run", kJpegZipKind, "/a/my.trip.zip"},
      {"no extension", "/a/trip", kExecutableKind, "/a/trip" + run},
      {"a dot in a folder only", "/a.b/trip", kJpegZipKind, "/a.b/trip.zip"},
      {"an extension alone is replaced", "/a/" + run, kEnvelopedKind, "/a/.zip"},
      {"a dot ending the name", "/a/trip.", kJpegZipKind, "/a/trip.zip"},
      {"empty stays empty", "", kExecutableKind, ""},
      {"blanks stay", "  ", kExecutableKind, "  "},
      {"a folder", "/a/", kEnvelopedKind, "/a/.zip"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithArchiveExtension(c.file, c.kind), c.expected) << c.what;
}

TEST(OutputFile, NameMustBeLeftWithoutFolderAndExtension) {
  struct Case {
    const char* file;
    bool names;
  } cases[] = {
      {"/a/trip.run", true}, {"trip", true},   {"/a/.b.run", true}, {".run", false},
      {"/a/.run", false},    {"/a/b/", false}, {"", false},         {"   ", false},
      {"/a/  .zip", false},  {"/a.b/", false},
  };
  for (const Case& c : cases) EXPECT_EQ(NamesAFile(c.file), c.names) << c.file;
}

TEST(OutputFile, ProjectsArchiveIsNamedAndTakesTheExtensionOfItsKind) {
  const std::string run = kExecutableExtension;
  const struct {
    const char* file;
    const char* kind;
    std::string expected;
  } cases[] = {
      {"", "0", "/out/Project1" + run},             // none yet: the output folder
      {"   ", "1", "/out/Project1.zip"},            // blanks count as none
      {"/arch/trip.exe", "0", "/arch/trip" + run},  // the kind's extension
      {"/arch/trip.run", "2", "/arch/trip.zip"},
      {"/arch/trip", "0", "/arch/trip" + run},        // one is added
      {"/arch/", "0", "/arch/Project1" + run},        // a folder gets the project's name
      {"/arch/.run", "2", "/arch/Project1.zip"},      // so does an extension alone
      {" /arch/trip.zip ", "0", "/arch/trip" + run},  // trimmed
      {"", "", "/out/Project1.zip"},                  // no kind yet
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalisedOutputFile(c.file, c.kind, "/out", "/p/Project1.vxpr"), c.expected)
        << "'" << c.file << "' kind " << c.kind;
  }
}

}  // namespace
}  // namespace vx
