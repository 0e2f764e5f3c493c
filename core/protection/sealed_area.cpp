#include "protection/sealed_area.h"

#include <sodium.h>

#include <cstdint>
#include <stdexcept>

namespace vx {
namespace {

constexpr std::string_view kMagic = "VXS1";
constexpr size_t kNonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr size_t kTagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
static_assert(kKeyBytes == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);

void AppendLength(std::string& out, size_t length) {
  for (int shift = 0; shift < 32; shift += 8)
    out += static_cast<char>((static_cast<std::uint64_t>(length) >> shift) & 0xFF);
}

// The magic and both identifiers, each after its length, so no two pairs read the same.
std::string AssociatedData(std::string_view frameId, std::string_view objectId) {
  std::string data(kMagic);
  AppendLength(data, frameId.size());
  data += frameId;
  AppendLength(data, objectId.size());
  data += objectId;
  return data;
}

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

std::string SealedBlockName(std::string_view objectId) { return "SEALED_" + std::string(objectId); }

std::string SealArea(std::string_view plain, const SealKey& key, std::string_view frameId,
                     std::string_view objectId) {
  if (sodium_init() < 0) throw std::runtime_error("The cryptography library cannot start");
  const std::string data = AssociatedData(frameId, objectId);
  std::string block(kMagic.size() + kNonceBytes + plain.size() + kTagBytes, '\0');
  auto* nonce = reinterpret_cast<unsigned char*>(block.data() + kMagic.size());
  block.replace(0, kMagic.size(), kMagic);
  randombytes_buf(nonce, kNonceBytes);
  unsigned long long sealedLength = 0;
  crypto_aead_xchacha20poly1305_ietf_encrypt(nonce + kNonceBytes, &sealedLength, Bytes(plain),
                                             plain.size(), Bytes(data), data.size(), nullptr, nonce,
                                             key.Data());
  return block;
}

std::optional<std::string> OpenSealedArea(std::string_view block, const SealKey& key,
                                          std::string_view frameId, std::string_view objectId) {
  if (block.size() < kMagic.size() + kNonceBytes + kTagBytes || !block.starts_with(kMagic))
    return std::nullopt;
  if (sodium_init() < 0) return std::nullopt;
  const std::string data = AssociatedData(frameId, objectId);
  const unsigned char* nonce = Bytes(block) + kMagic.size();
  const size_t sealedLength = block.size() - kMagic.size() - kNonceBytes;
  std::string plain(sealedLength - kTagBytes, '\0');
  unsigned long long plainLength = 0;
  if (crypto_aead_xchacha20poly1305_ietf_decrypt(
          reinterpret_cast<unsigned char*>(plain.data()), &plainLength, nullptr,
          nonce + kNonceBytes, sealedLength, Bytes(data), data.size(), nonce, key.Data()) != 0)
    return std::nullopt;
  return plain;
}

}  // namespace vx
