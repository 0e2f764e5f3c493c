// Project files as the builder reads them, and the document the maker is given.
#pragma once

#include <memory>
#include <string>

#include "document/kel_pigger.h"
#include "protection/archive_lock.h"

namespace vx {

struct Project {
  std::unique_ptr<TKelPigger> document;
  std::string password;  // plain text, from the stored form in PWDIM
};

// Fails with "File loading error." when the root is not VX; file and parse errors pass on.
// A frame without an identifier gets a new one.
Project LoadProjectFile(const std::string& path);

// The document as archives carry it, and the lock its areas get: PWDIM never holds the
// password's stored form (LockDescription says what it holds).
struct ArchiveDocument {
  std::unique_ptr<TKelPigger> document;
  AreaLock areas;
};
ArchiveDocument DocumentForMaking(const TKelPigger& project, const std::string& password,
                                  Protection protection,
                                  const KeyParameters& parameters = kDefaultKeyParameters);

}  // namespace vx
