// Project files as the builder reads them, and the document the maker is given.
#pragma once

#include <memory>
#include <string>

#include "document/kel_pigger.h"

namespace vx {

struct Project {
  std::unique_ptr<TKelPigger> document;
  std::string password;  // plain text, from the stored form in PWDIM
};

// Fails with "File loading error." when the root is not VX; file and parse errors pass on.
// A frame without an identifier gets a new one.
Project LoadProjectFile(const std::string& path);

// The document as archives carry it: PWDIM holds the password's digest, never its stored
// form, and nothing when there is no password.
std::unique_ptr<TKelPigger> DocumentForMaking(const TKelPigger& project,
                                              const std::string& password);

}  // namespace vx
