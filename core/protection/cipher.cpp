#include "protection/cipher.h"

#include <md5.h>

#include <algorithm>

#include "document/conversions.h"

namespace vx {
namespace {

// Project files depend on these values: never change them.
constexpr CipherKey kProjectKey{617, 40693, 28411};
constexpr char kFiller = 'q';

enum class Direction { Forward, Backward };

std::string Run(std::string_view bytes, const CipherKey& key, Direction direction) {
  std::string out(bytes.size(), '\0');
  std::uint32_t k = key.start;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    const auto c = static_cast<std::uint8_t>(b ^ ((k >> 8) & 0xFF));
    out[i] = static_cast<char>(c);
    k = (k + (direction == Direction::Forward ? c : b)) * key.multiplier + key.addend;
  }
  return out;
}

void RunOverArea(Bitmap& bitmap, const Rect& r, const CipherKey& key, Direction direction) {
  const int left = std::max(r.left, 0), right = std::min(r.right, bitmap.Width() - 1);
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, bitmap.Height() - 1);
  if (left > right) return;
  for (int y = top; y <= bottom; ++y) {
    std::uint8_t* row = bitmap.Row(y) + left * 3;
    const std::string_view pixels(reinterpret_cast<const char*>(row),
                                  static_cast<size_t>(right - left + 1) * 3);
    const std::string result = Run(pixels, key, direction);
    std::copy(result.begin(), result.end(), row);
  }
}

}  // namespace

std::string ScrambleBytes(std::string_view bytes, const CipherKey& key) {
  return Run(bytes, key, Direction::Forward);
}

std::string UnscrambleBytes(std::string_view bytes, const CipherKey& key) {
  return Run(bytes, key, Direction::Backward);
}

std::string DigestText(std::string_view password) {
  MD5_CTX context;
  MD5Init(&context);
  MD5Update(&context, reinterpret_cast<const std::uint8_t*>(password.data()), password.size());
  std::uint8_t digest[MD5_DIGEST_LENGTH];
  MD5Final(digest, &context);
  return HexEncode(std::string_view(reinterpret_cast<const char*>(digest), sizeof digest));
}

bool IsLocked(std::string_view digest, std::string_view typedPassword) {
  return !digest.empty() && digest != DigestText(typedPassword);
}

std::string StorePassword(std::string_view password) {
  return ScrambleBytes(password, kProjectKey);
}

std::string RestorePassword(std::string_view stored) {
  return UnscrambleBytes(stored, kProjectKey);
}

CipherKey AreaKey(std::string_view password) {
  std::string p(password);
  while (p.size() <= 5) p += kFiller;
  auto byte = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[i])); };
  return {byte(0) * 1000 + byte(3), byte(1) * 1000 + byte(4), byte(2) * 1000 + byte(5)};
}

void LockArea(Bitmap& bitmap, const Rect& inclusive, std::string_view password) {
  RunOverArea(bitmap, inclusive, AreaKey(password), Direction::Forward);
}

void UnlockArea(Bitmap& bitmap, const Rect& inclusive, std::string_view password) {
  RunOverArea(bitmap, inclusive, AreaKey(password), Direction::Backward);
}

void LockArea(Bitmap& bitmap, const Rect& inclusive, const CipherKey& key) {
  RunOverArea(bitmap, inclusive, key, Direction::Forward);
}

void UnlockArea(Bitmap& bitmap, const Rect& inclusive, const CipherKey& key) {
  RunOverArea(bitmap, inclusive, key, Direction::Backward);
}

}  // namespace vx
