#include "protection/archive_lock.h"

#include "document/vocabulary.h"
#include "protection/cipher.h"

namespace vx {

namespace n = names;

Protection ProtectionOf(const TKelPigger& project) {
  return project.GetAttr(n::kProtection) == n::kCompatible ? Protection::Compatible
                                                           : Protection::Strong;
}

AreaLock LockDescription(TKelPigger& document, std::string_view password, Protection protection,
                         const KeyParameters& parameters) {
  if (protection == Protection::Compatible) {
    document.SetAttr(n::kPassword, password.empty() ? "" : DigestText(password));
    return AreaLock::Compatible(password);
  }
  if (password.empty()) {
    document.SetAttr(n::kPassword, "");
    return {};
  }
  SealKey key;
  WriteStrongLock(document, NewStrongLock(password, parameters, key));
  return AreaLock::Strong(key);
}

ArchivePassword ArchivePassword::Of(const TKelPigger& root) {
  ArchivePassword password;
  password.digest_ = root.GetAttr(n::kPassword);
  password.strong_ = ReadStrongLock(root);
  return password;
}

PasswordCheck ArchivePassword::Check(std::string_view password, AreaLock& lock) const {
  if (strong_) {
    SealKey key;
    const PasswordCheck check = CheckPassword(*strong_, password, key);
    if (check == PasswordCheck::Right) lock = AreaLock::Strong(key);
    return check;
  }
  // The old scheme: the digest, compared exactly (case included).
  if (!Asked() || password.empty() || IsLocked(digest_, password)) return PasswordCheck::Wrong;
  lock = AreaLock::Compatible(password);
  return PasswordCheck::Right;
}

}  // namespace vx
