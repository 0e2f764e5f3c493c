// Little-endian fields of the file formats we write, as the machines we build for hold them.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

inline void Put16(std::string& out, std::uint16_t value) {
  out.append(reinterpret_cast<const char*>(&value), 2);
}

inline void Put32(std::string& out, std::uint32_t value) {
  out.append(reinterpret_cast<const char*>(&value), 4);
}

}  // namespace vx
