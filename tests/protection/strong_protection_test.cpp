// Strong protection: the password check, sealed area blocks that open only where they were
// made, and the description an archive carries.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <map>

#include "blocks/data_blocks.h"
#include "document/conversions.h"
#include "document/vocabulary.h"
#include "picture/bmp_codec.h"
#include "protection/archive_lock.h"
#include "protection/cipher.h"
#include "protection/sealed_area.h"
#include "support/noise_picture.h"

namespace vx {
namespace {

const char* kFrame =
    "<VX><FRAME FRAME_ID=F1><PNTRS>"
    "<PRAR OBJ_ID=A1 XR=0.1 YR=0.1 RFW=0.3 RFH=0.3/>"
    "<PRAR OBJ_ID=A2 XR=0.6 YR=0.5 RFW=0.3 RFH=0.4/>"
    "</PNTRS></FRAME></VX>";

// An archive's description and blocks, made with strong protection and the password.
struct Made {
  explicit Made(std::string_view password) {
    description.LoadFromText(kFrame);
    const AreaLock lock =
        LockDescription(description, password, Protection::Strong, kLeastKeyParameters);
    locked = original;
    for (AreaBlock& block : LockFrameAreas(locked, Frame(), lock)) blocks[block.name] = block.data;
  }
  const TKelPigger& Frame() const { return *description.Child(0); }
  BlockReader Reader() const {
    return [this](std::string_view name) -> std::string_view {
      auto it = blocks.find(std::string(name));
      return it == blocks.end() ? std::string_view() : std::string_view(it->second);
    };
  }
  // The picture after the viewer's check of the typed password.
  Bitmap Restored(std::string_view typed) const {
    AreaLock lock;
    ArchivePassword::Of(description).Check(typed, lock);
    Bitmap picture = locked;
    RestoreAreas(picture, Frame(), lock, Reader());
    return picture;
  }

  TKelPigger description;
  const Bitmap original = test::NoisePicture(60, 40);
  Bitmap locked;
  std::map<std::string, std::string> blocks;
};

TEST(StrongProtection, OnlyTheRightPasswordRestoresEveryPixelExactly) {
  const Made made("secret password");
  ASSERT_EQ(made.blocks.size(), 2u);
  EXPECT_TRUE(made.blocks.count("SEALED_A1") && made.blocks.count("SEALED_A2"));
  EXPECT_EQ(made.locked.Pixel(10, 6), 0u);
  EXPECT_EQ(made.Restored("secret password"), made.original);

  struct Case {
    const char* what;
    std::string typed;
  } refused[] = {
      {"another password", "hunter2"},
      {"the seventh byte differs", "secret_password"},
      {"empty", ""},
      {"case differs", "Secret password"},
      {"a prefix", "secret passwor"},
  };
  const ArchivePassword password = ArchivePassword::Of(made.description);
  for (const Case& c : refused) {
    AreaLock lock;
    EXPECT_EQ(password.Check(c.typed, lock), PasswordCheck::Wrong) << c.what;
    EXPECT_TRUE(lock.OpensNothing()) << c.what;
    EXPECT_EQ(made.Restored(c.typed), made.locked) << c.what;
  }
}

TEST(StrongProtection, PasswordIsItsUtf8BytesAsTyped) {
  const Made made("p\xC3\xA4sswort \xE2\x9C\x93");  // "pässwort ✓", ä composed
  EXPECT_EQ(made.Restored("p\xC3\xA4sswort \xE2\x9C\x93"), made.original);
  EXPECT_EQ(made.Restored("pa\xCC\x88sswort \xE2\x9C\x93"), made.locked);  // decomposed ä
}

TEST(StrongProtection, AlteredSwappedOrMovedBlocksLeaveTheAreasBlack) {
  struct Case {
    const char* what;
    std::function<void(Made&)> tamper;
  } cases[] = {
      {"a flipped byte", [](Made& m) { m.blocks["SEALED_A1"][40] ^= 0x01; }},
      {"a flipped tag byte", [](Made& m) { m.blocks["SEALED_A2"].back() ^= 0x80; }},
      {"swapped between two areas",
       [](Made& m) { std::swap(m.blocks["SEALED_A1"], m.blocks["SEALED_A2"]); }},
      {"moved from another archive with the same password",
       [](Made& m) { m.blocks["SEALED_A1"] = Made("secret password").blocks["SEALED_A1"]; }},
      {"cut short", [](Made& m) { m.blocks["SEALED_A1"].resize(20); }},
      {"missing", [](Made& m) { m.blocks.erase("SEALED_A2"); }},
      {"the frame renamed",
       [](Made& m) { m.description.Child(0)->SetAttr(names::kFrameId, "F2"); }},
  };
  for (const Case& c : cases) {
    Made made("secret password");
    c.tamper(made);
    EXPECT_EQ(made.Restored("secret password"), made.locked) << c.what;
  }
}

TEST(StrongProtection, DescriptionHoldsNoDigestAndLocksOldReaders) {
  const Made made("secret password");
  const std::string text = made.description.SaveToText();
  EXPECT_EQ(made.description.GetAttr(names::kPassword), kStrongMark);
  EXPECT_EQ(text.find(DigestText("secret password")), std::string::npos);
  EXPECT_TRUE(IsLocked(made.description.GetAttr(names::kPassword), "secret password"));
  EXPECT_EQ(made.description.GetAttr(names::kKeyPasses), "1");
  EXPECT_EQ(made.description.GetAttr(names::kKeyMemory), "8192");
  EXPECT_EQ(made.description.GetAttr(names::kKeySalt).size(), 2 * kSaltBytes);
  EXPECT_EQ(made.description.GetAttr(names::kKeyCheck).size(), 2 * kKeyBytes);
  // No area block opens with the old cipher: none is even named for it.
  EXPECT_EQ(made.blocks.count("A1"), 0u);
  // Two archives of the same password share no salt.
  EXPECT_NE(Made("secret password").description.GetAttr(names::kKeySalt),
            made.description.GetAttr(names::kKeySalt));
}

TEST(StrongProtection, ParametersOutOfBoundsAreRefusedWithoutTrying) {
  // 2^40 KiB could never be allocated: a check that tried would say OutOfMemory.
  struct Case {
    const char* what;
    const char* key;
    std::string value;
  } cases[] = {
      {"no passes", names::kKeyPasses, "0"},
      {"too many passes", names::kKeyPasses, "11"},
      {"passes not a number", names::kKeyPasses, "3x"},
      {"too little memory", names::kKeyMemory, "8191"},
      {"a terabyte of memory", names::kKeyMemory, "1099511627776"},
      {"memory beyond 64 bits", names::kKeyMemory, "99999999999999999999999"},
      {"negative memory", names::kKeyMemory, "-8192"},
      {"salt too short", names::kKeySalt, "00112233"},
      {"salt not hexadecimal", names::kKeySalt, std::string(32, 'g')},
      {"verifier missing", names::kKeyCheck, ""},
  };
  for (const Case& c : cases) {
    Made made("pw");
    made.description.SetAttr(c.key, c.value);
    AreaLock lock;
    EXPECT_EQ(ArchivePassword::Of(made.description).Check("pw", lock), PasswordCheck::Refused)
        << c.what;
    EXPECT_TRUE(lock.OpensNothing()) << c.what;
  }
}

TEST(StrongProtection, NoPasswordKeepsNoAreaContent) {
  TKelPigger description;
  description.LoadFromText(kFrame);
  description.SetAttr(names::kPassword, "stored form from the project");
  const AreaLock lock = LockDescription(description, "", Protection::Strong);
  EXPECT_TRUE(lock.OpensNothing());
  EXPECT_FALSE(ArchivePassword::Of(description).Asked());
  Bitmap picture = test::NoisePicture(60, 40);
  EXPECT_TRUE(LockFrameAreas(picture, *description.Child(0), lock).empty());
  EXPECT_EQ(picture.Pixel(10, 6), 0u);  // still blacked out
}

TEST(CompatibleProtection, MakesWhatArchivesAlwaysHeld) {
  TKelPigger description;
  description.LoadFromText(kFrame);
  const AreaLock lock = LockDescription(description, "secret", Protection::Compatible);
  EXPECT_EQ(description.GetAttr(names::kPassword), DigestText("secret"));
  EXPECT_EQ(description.GetAttr(names::kKeySalt), "");
  Bitmap viaLock = test::NoisePicture(60, 40), viaPassword = viaLock;
  const auto blocks = LockFrameAreas(viaLock, *description.Child(0), lock);
  const auto expected = LockFrameAreas(viaPassword, *description.Child(0), "secret");
  ASSERT_EQ(blocks.size(), expected.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_EQ(blocks[i].name, expected[i].name);
    EXPECT_EQ(DecompressToStream(blocks[i].data), DecompressToStream(expected[i].data));
  }
  EXPECT_EQ(viaLock, viaPassword);

  // Only the digest's own password opens; a wrong one restores nothing, not noise.
  AreaLock opened;
  const ArchivePassword password = ArchivePassword::Of(description);
  EXPECT_EQ(password.Check("secreT", opened), PasswordCheck::Wrong);
  EXPECT_TRUE(opened.OpensNothing());
  EXPECT_EQ(password.Check("secret", opened), PasswordCheck::Right);
  EXPECT_EQ(opened, AreaLock::Compatible("secret"));
}

TEST(CompatibleProtection, ProjectKeyChoosesIt) {
  TKelPigger project;
  for (const auto& [text, protection] : {std::pair{"<VX/>", Protection::Strong},
                                         {"<VX PROTECTION=strong/>", Protection::Strong},
                                         {"<VX PROTECTION=compatible/>", Protection::Compatible},
                                         {"<VX PROTECTION=Compatible/>", Protection::Strong}}) {
    project.LoadFromText(text);
    EXPECT_EQ(ProtectionOf(project), protection) << text;
  }
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(StrongProtectionDeathTest, RunningOutOfMemoryIsNoWrongPassword) {
  Made made("pw");
  made.description.SetAttr(names::kKeyMemory, std::to_string(512 * 1024));
  const ArchivePassword password = ArchivePassword::Of(made.description);
  EXPECT_EXIT(
      {
        rlimit limit;
        limit.rlim_cur = limit.rlim_max = 256u << 20;
        setrlimit(RLIMIT_AS, &limit);
        AreaLock lock;
        std::exit(password.Check("pw", lock) == PasswordCheck::OutOfMemory ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}
#endif

TEST(SealedArea, OpensOnlyWithItsKeyAndIdentifiers) {
  SealKey key, other;
  NewStrongLock("a", kLeastKeyParameters, key);
  NewStrongLock("b", kLeastKeyParameters, other);
  const std::string block = SealArea("pixels", key, "F1", "A1");
  EXPECT_TRUE(block.starts_with("VXS1"));
  EXPECT_EQ(OpenSealedArea(block, key, "F1", "A1"), "pixels");
  EXPECT_EQ(OpenSealedArea(block, other, "F1", "A1"), std::nullopt);
  EXPECT_EQ(OpenSealedArea(block, key, "F1A", "1"), std::nullopt);  // lengths keep them apart
  EXPECT_EQ(OpenSealedArea(block, key, "A1", "F1"), std::nullopt);
  EXPECT_NE(SealArea("pixels", key, "F1", "A1"), block);  // a fresh nonce every time
  EXPECT_EQ(OpenSealedArea(SealArea("", key, "F", "A"), key, "F", "A"), "");
  EXPECT_EQ(OpenSealedArea("", key, "F", "A"), std::nullopt);
}

}  // namespace
}  // namespace vx
