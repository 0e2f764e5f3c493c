// The byte cipher of protected areas and stored passwords, and the password digest.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace vx {

struct CipherKey {
  std::uint32_t start, multiplier, addend;
};

// A stream cipher with ciphertext feedback; an output byte depends only on the input up to
// its position. Unscramble undoes Scramble with the same key.
std::string ScrambleBytes(std::string_view bytes, const CipherKey& key);
std::string UnscrambleBytes(std::string_view bytes, const CipherKey& key);

// MD5 of the password, 32 upper-case hexadecimal digits.
std::string DigestText(std::string_view password);
// An archive is locked while it has a digest and the typed password does not match it
// (exactly, case included).
bool IsLocked(std::string_view digest, std::string_view typedPassword);

// The reversible form a project file keeps (hex-encoded by the caller).
std::string StorePassword(std::string_view password);
std::string RestorePassword(std::string_view stored);

// Only the first six bytes of a password make its area key.
CipherKey AreaKey(std::string_view password);

// Scrambles (or unscrambles) the pixels of the rectangle, all four edges inclusive, row by
// row with the key starting afresh for every row; pixels outside the bitmap are left alone.
void LockArea(Bitmap& bitmap, const Rect& inclusive, std::string_view password);
void UnlockArea(Bitmap& bitmap, const Rect& inclusive, std::string_view password);
// The same with the area key at hand.
void LockArea(Bitmap& bitmap, const Rect& inclusive, const CipherKey& key);
void UnlockArea(Bitmap& bitmap, const Rect& inclusive, const CipherKey& key);

}  // namespace vx
