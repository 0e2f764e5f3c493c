// Texts from documents are meant to be UTF-8, but hand-made or converted files hold any bytes.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The text with every byte that does not belong to a well-formed UTF-8 sequence (stray,
// overlong, surrogate or beyond U+10FFFF) replaced by U+FFFD.
std::string RepairUtf8(std::string_view text);

// The code points of the text, repaired as RepairUtf8 does.
std::u32string CodePointsFromUtf8(std::string_view text);
std::string Utf8FromCodePoints(std::u32string_view codes);

// Bytes of unknown encoding: well-formed UTF-8 stays as it is; anything else is read as the
// Western single-byte code page (Latin-1 with the Windows additions), as many cameras write.
std::string Utf8FromLegacy(std::string_view bytes);

// UTF-16 code units in the given byte order; a byte order mark overrides it and is dropped.
// Unpaired surrogates become U+FFFD, a last odd byte is left out.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian);

}  // namespace vx
