// The password of a whole archive: what making writes into its description, and the check of
// a typed password that gives the viewer the lock its areas open with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/kel_pigger.h"
#include "protection/password_key.h"
#include "protection/protected_areas.h"

namespace vx {

// Strong is the default; compatible keeps the old cipher and digest, which other readers of
// the format understand and which protect little.
enum class Protection { Strong, Compatible };
// The project's choice: PROTECTION "compatible", anything else strong.
Protection ProtectionOf(const TKelPigger& project);

// Sets PWDIM of a document about to be made (and the keys of strong protection) and returns
// the lock its areas get. Without a password PWDIM goes, and strong protection keeps no area
// content at all, since nothing could ever open it.
AreaLock LockDescription(TKelPigger& document, std::string_view password, Protection protection,
                         const KeyParameters& parameters = kDefaultKeyParameters);

// What a description says of its password, read once; checking reads nothing else, so it
// may run on any thread.
class ArchivePassword {
 public:
  static ArchivePassword Of(const TKelPigger& root);
  // Whether the archive asks for a password at all.
  bool Asked() const { return !digest_.empty(); }
  // Right fills the lock. Without a password there is nothing to open: Wrong.
  PasswordCheck Check(std::string_view password, AreaLock& lock) const;

 private:
  std::string digest_;  // PWDIM
  std::optional<StrongLock> strong_;
};

}  // namespace vx
