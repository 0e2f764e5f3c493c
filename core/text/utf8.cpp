#include "text/utf8.h"

namespace vx {
namespace {

// The length of the well-formed sequence at the start of text, or 0 (Unicode's table of
// well-formed byte sequences).
size_t SequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

void Append(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr char32_t kReplacement = 0xFFFD;

// 0x80 to 0x9F of the Windows Western code page; the five it leaves free are replaced.
constexpr char32_t kWindowsWestern[32] = {
    0x20AC,       kReplacement, 0x201A,       0x0192, 0x2026, 0x2020,       0x2021,
    0x02C6,       0x2030,       0x0160,       0x2039, 0x0152, kReplacement, 0x017D,
    kReplacement, kReplacement, kReplacement, 0x2018, 0x2019, 0x201C,       0x201D,
    0x2022,       0x2013,       0x2014,       0x02DC, 0x2122, 0x0161,       0x203A,
    0x0153,       kReplacement, 0x017E,       0x0178};

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const size_t length = SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

}  // namespace

std::string Utf8FromLegacy(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    Append(text, byte >= 0x80 && byte < 0xA0 ? kWindowsWestern[byte - 0x80] : byte);
  }
  return text;
}

std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  size_t i = 0;
  if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFE\xFF" || bytes.substr(0, 2) == "\xFF\xFE")) {
    bigEndian = bytes[0] == '\xFE';
    i = 2;
  }
  std::string text;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        Append(text, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    Append(text, code >= 0xD800 && code < 0xE000 ? kReplacement : code);
  }
  return text;
}

std::string RepairUtf8(std::string_view text) {
  std::string repaired;
  repaired.reserve(text.size());
  while (!text.empty()) {
    const size_t length = SequenceLength(text);
    if (length == 0) {
      repaired += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    } else {
      repaired += text.substr(0, length);
      text.remove_prefix(length);
    }
  }
  return repaired;
}

std::u32string CodePointsFromUtf8(std::string_view text) {
  std::u32string codes;
  codes.reserve(text.size());
  while (!text.empty()) {
    const size_t length = SequenceLength(text);
    const auto byte = [&](size_t i) { return static_cast<char32_t>(text[i] & 0x3F); };
    const auto lead = static_cast<unsigned char>(text[0]);
    switch (length) {
      case 0:
        codes += kReplacement;
        break;
      case 1:
        codes += lead;
        break;
      case 2:
        codes += (lead & 0x1Fu) << 6 | byte(1);
        break;
      case 3:
        codes += (lead & 0x0Fu) << 12 | byte(1) << 6 | byte(2);
        break;
      default:
        codes += (lead & 0x07u) << 18 | byte(1) << 12 | byte(2) << 6 | byte(3);
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return codes;
}

std::string Utf8FromCodePoints(std::u32string_view codes) {
  std::string text;
  text.reserve(codes.size());
  for (const char32_t code : codes) Append(text, code);
  return text;
}

}  // namespace vx
