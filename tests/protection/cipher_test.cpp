#include "protection/cipher.h"

#include <gtest/gtest.h>

#include <random>

namespace vx {
namespace {

std::string RandomBytes(size_t length, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

TEST(Cipher, UnscrambleUndoesScrambleAndCutsAlign) {
  const CipherKey key{123, 45678, 90123};
  for (size_t length : {0, 1, 2, 1000}) {
    const std::string plain = RandomBytes(length, static_cast<unsigned>(length));
    const std::string scrambled = ScrambleBytes(plain, key);
    ASSERT_EQ(scrambled.size(), length);
    if (length > 1) {
      EXPECT_NE(scrambled, plain);
    }
    EXPECT_EQ(UnscrambleBytes(scrambled, key), plain) << length;
  }
  const std::string plain = RandomBytes(50, 7);
  EXPECT_EQ(ScrambleBytes(plain.substr(0, 20), key), ScrambleBytes(plain, key).substr(0, 20));
}

TEST(Password, StoredFormComesBack) {
  for (const std::string password : {"", "a", "secret", "caf\xC3\xA9 long password \x01\xFF"}) {
    EXPECT_EQ(RestorePassword(StorePassword(password)), password);
    EXPECT_EQ(StorePassword(password).size(), password.size());
  }
}

TEST(Password, DigestIsUpperCaseMd5AndComparedExactly) {
  EXPECT_EQ(DigestText(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(DigestText("abc"), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_FALSE(IsLocked("", "anything"));
  EXPECT_FALSE(IsLocked(DigestText("abc"), "abc"));
  EXPECT_TRUE(IsLocked(DigestText("abc"), "abd"));
  EXPECT_TRUE(IsLocked("900150983cd24fb0d6963f7d28e17f72", "abc"));  // lower case does not unlock
}

TEST(AreaKey, OnlySixBytesMatterAndShortOnesAreFilled) {
  auto same = [](const CipherKey& a, const CipherKey& b) {
    return a.start == b.start && a.multiplier == b.multiplier && a.addend == b.addend;
  };
  EXPECT_TRUE(same(AreaKey("secret1"), AreaKey("secret2")));
  EXPECT_FALSE(same(AreaKey("secre1"), AreaKey("secre2")));
  // Find the filler: a 3-byte password equals itself plus the filler letter.
  int fillers = 0;
  for (char c = 'a'; c <= 'z'; ++c)
    fillers += same(AreaKey("abc"), AreaKey(std::string("abc") + c));
  EXPECT_EQ(fillers, 1);
  const CipherKey key = AreaKey("ABCDEF");
  EXPECT_EQ(key.start, 65u * 1000 + 68);
  EXPECT_EQ(key.multiplier, 66u * 1000 + 69);
  EXPECT_EQ(key.addend, 67u * 1000 + 70);
}

TEST(LockArea, TouchesOnlyTheRectangleInsideTheBitmap) {
  Bitmap bitmap(10, 8);
  bitmap.Fill(0x808080);
  const Bitmap before = bitmap;
  LockArea(bitmap, {6, 5, 20, 20}, "password");  // reaches past the right and bottom edges
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 6 && y >= 5;
      if (!inside) {
        EXPECT_EQ(bitmap.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_NE(bitmap, before);
  UnlockArea(bitmap, {6, 5, 20, 20}, "password");
  EXPECT_EQ(bitmap, before);
}

}  // namespace
}  // namespace vx
