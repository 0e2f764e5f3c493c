#include "protection/password_key.h"

#include <sodium.h>

#include <charconv>
#include <new>
#include <stdexcept>

#include "document/conversions.h"
#include "document/vocabulary.h"

namespace vx {
namespace {

namespace n = names;

// Subkeys of the Argon2id output: one to recognise the password, one to seal the areas.
constexpr char kSubkeyContext[crypto_kdf_CONTEXTBYTES + 1] = "VXAREAKY";
constexpr std::uint64_t kVerifierSubkey = 1;
constexpr std::uint64_t kSealSubkey = 2;

void NeedSodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) throw std::runtime_error("The cryptography library cannot start");
}

enum class Derived { Done, OutOfMemory };

Derived Derive(std::string_view password, const KeyParameters& parameters, std::string_view salt,
               std::string& verifier, SealKey& key) {
  NeedSodium();
  unsigned char master[kKeyBytes];
  const int failed =
      crypto_pwhash(master, sizeof master, password.empty() ? "" : password.data(), password.size(),
                    reinterpret_cast<const unsigned char*>(salt.data()), parameters.passes,
                    parameters.memoryKiB * 1024, crypto_pwhash_ALG_ARGON2ID13);
  // The parameters were checked before: the only failure left is memory that cannot be had.
  if (failed) return Derived::OutOfMemory;
  unsigned char check[kKeyBytes];
  crypto_kdf_derive_from_key(check, sizeof check, kVerifierSubkey, kSubkeyContext, master);
  crypto_kdf_derive_from_key(key.Data(), kKeyBytes, kSealSubkey, kSubkeyContext, master);
  verifier.assign(reinterpret_cast<const char*>(check), sizeof check);
  sodium_memzero(master, sizeof master);
  sodium_memzero(check, sizeof check);
  return Derived::Done;
}

std::uint64_t NumberOf(const std::string& text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

}  // namespace

bool WithinBounds(const KeyParameters& p) {
  return p.passes >= kLeastKeyParameters.passes && p.passes <= kMostKeyParameters.passes &&
         p.memoryKiB >= kLeastKeyParameters.memoryKiB &&
         p.memoryKiB <= kMostKeyParameters.memoryKiB;
}

SealKey::~SealKey() { sodium_memzero(bytes_.data(), bytes_.size()); }

bool SealKey::operator==(const SealKey& other) const {
  return sodium_memcmp(bytes_.data(), other.bytes_.data(), bytes_.size()) == 0;
}

StrongLock NewStrongLock(std::string_view password, const KeyParameters& parameters, SealKey& key) {
  if (!WithinBounds(parameters)) throw std::invalid_argument("Key parameters out of bounds");
  NeedSodium();
  StrongLock lock{parameters, std::string(kSaltBytes, '\0'), {}};
  randombytes_buf(lock.salt.data(), lock.salt.size());
  if (Derive(password, parameters, lock.salt, lock.verifier, key) != Derived::Done)
    throw std::bad_alloc();
  return lock;
}

PasswordCheck CheckPassword(const StrongLock& lock, std::string_view password, SealKey& key) {
  if (!WithinBounds(lock.parameters) || lock.salt.size() != kSaltBytes ||
      lock.verifier.size() != kKeyBytes)
    return PasswordCheck::Refused;
  std::string verifier;
  SealKey candidate;
  if (Derive(password, lock.parameters, lock.salt, verifier, candidate) != Derived::Done)
    return PasswordCheck::OutOfMemory;
  if (sodium_memcmp(verifier.data(), lock.verifier.data(), kKeyBytes) != 0)
    return PasswordCheck::Wrong;
  key = candidate;
  return PasswordCheck::Right;
}

void WriteStrongLock(TKelPigger& root, const StrongLock& lock) {
  root.SetAttr(n::kPassword, kStrongMark);
  root.SetAttr(n::kKeyPasses, std::to_string(lock.parameters.passes));
  root.SetAttr(n::kKeyMemory, std::to_string(lock.parameters.memoryKiB));
  root.SetAttr(n::kKeySalt, HexEncode(lock.salt));
  root.SetAttr(n::kKeyCheck, HexEncode(lock.verifier));
}

std::optional<StrongLock> ReadStrongLock(const TKelPigger& root) {
  if (root.GetAttr(n::kPassword) != kStrongMark) return std::nullopt;
  return StrongLock{{NumberOf(root.GetAttr(n::kKeyPasses)), NumberOf(root.GetAttr(n::kKeyMemory))},
                    HexDecode(root.GetAttr(n::kKeySalt)),
                    HexDecode(root.GetAttr(n::kKeyCheck))};
}

}  // namespace vx
