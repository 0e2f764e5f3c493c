// Area blocks of strong protection: the area picture sealed with XChaCha20-Poly1305, bound
// to its frame and object identifiers, so a block that was altered, swapped with another
// area's or moved to another archive does not open.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "protection/password_key.h"

namespace vx {

// No identifier is a prefix of these names, so readers that search for an end marker by a
// name never stop at a sealed block.
std::string SealedBlockName(std::string_view objectId);

// "VXS1", a random 24-byte nonce, then the sealed bytes and their 16-byte tag.
std::string SealArea(std::string_view plain, const SealKey& key, std::string_view frameId,
                     std::string_view objectId);
// Nothing when the block is not one, or does not open with this key for these identifiers.
std::optional<std::string> OpenSealedArea(std::string_view block, const SealKey& key,
                                          std::string_view frameId, std::string_view objectId);

}  // namespace vx
