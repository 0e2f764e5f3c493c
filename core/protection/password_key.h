// Strong protection: a key made from the password with Argon2id and a random salt of the
// archive, a verifier that tells a wrong password at once, and the key that seals the areas.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/kel_pigger.h"

namespace vx {

// Argon2id work factors, as the description stores them.
struct KeyParameters {
  std::uint64_t passes;
  std::uint64_t memoryKiB;
};
// About half a second for one check on an ordinary desktop core.
inline constexpr KeyParameters kDefaultKeyParameters{3, 128 * 1024};
// A viewer refuses anything outside these instead of trying it: a doctored description must
// not make it allocate gigabytes or compute for minutes.
inline constexpr KeyParameters kLeastKeyParameters{1, 8 * 1024};
inline constexpr KeyParameters kMostKeyParameters{10, 1024 * 1024};
bool WithinBounds(const KeyParameters& parameters);

inline constexpr size_t kSaltBytes = 16;
inline constexpr size_t kKeyBytes = 32;

// The key that seals and opens the areas of one archive; wiped when it goes.
class SealKey {
 public:
  SealKey() = default;
  SealKey(const SealKey& other) = default;
  SealKey& operator=(const SealKey& other) = default;
  ~SealKey();
  unsigned char* Data() { return bytes_.data(); }
  const unsigned char* Data() const { return bytes_.data(); }
  bool operator==(const SealKey& other) const;

 private:
  std::array<unsigned char, kKeyBytes> bytes_{};
};

// What an archive's description carries for strong protection.
struct StrongLock {
  KeyParameters parameters;
  std::string salt;      // kSaltBytes
  std::string verifier;  // kKeyBytes
};

enum class PasswordCheck { Right, Wrong, OutOfMemory, Refused };

// A new lock with a random salt for the password (its UTF-8 bytes as typed) and the key it
// seals with. Throws std::bad_alloc when the memory for the key cannot be had.
StrongLock NewStrongLock(std::string_view password, const KeyParameters& parameters, SealKey& key);

// Right fills the key. Refused: parameters out of bounds or a malformed salt or verifier,
// found before anything is allocated. OutOfMemory is never reported as Wrong.
PasswordCheck CheckPassword(const StrongLock& lock, std::string_view password, SealKey& key);

// The description's form: PWDIM holds a mark that is never a digest, so a reader of the old
// scheme stays locked; the parameters, salt and verifier have keys of their own.
inline constexpr const char* kStrongMark = "ARGON2ID";
void WriteStrongLock(TKelPigger& root, const StrongLock& lock);
// Nothing when the description's PWDIM is not the mark; values that do not parse come back
// out of bounds, so that checking refuses them.
std::optional<StrongLock> ReadStrongLock(const TKelPigger& root);

}  // namespace vx
