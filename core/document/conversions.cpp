#include "document/conversions.h"

#include <uuid/uuid.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vx {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int UpperHexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The integer reading of colour texts: optional blanks and sign, then decimal digits, or
// hexadecimal digits after "$" or "0x"; false when the text is not such a number.
bool ParseInteger(std::string_view text, std::uint32_t& result) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  std::uint64_t value = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(first, last, value, base);
  if (ec != std::errc() || end != last || first == last) return false;
  // Hexadecimal covers the whole 32 bits; decimal is a signed 32-bit integer.
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  if (value > limit) return false;
  result = static_cast<std::uint32_t>(negative ? 0 - value : value);
  return true;
}

}  // namespace

std::string ColorToText(Color color) {
  std::string text = "#";
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned byte = (color >> shift) & 0xFF;
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 15];
  }
  return text;
}

Color TextToColor(std::string_view text) {
  if (text.size() <= 6) return 0;
  std::string number(text);
  if (text[0] == '#') {
    // "#RRGGBB" becomes "$BBGGRR", which puts red into the lowest byte.
    number = "$" + std::string(text.substr(5, 2)) + std::string(text.substr(3, 2)) +
             std::string(text.substr(1, 2)) + std::string(text.substr(7));
  }
  std::uint32_t value = 0;
  return ParseInteger(number, value) ? value : 0;
}

std::string RealToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char digits[64];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                                 std::chars_format::scientific, 14);
  (void)ec;
  const std::string_view text(digits, static_cast<size_t>(end - digits));
  const size_t e = text.find('e');
  const int exponent = std::stoi(std::string(text.substr(e + 1)));
  char result[32];
  std::snprintf(result, sizeof result, "%c%.*sE%c%04d",
                std::signbit(value) && value != 0 ? '-' : ' ', static_cast<int>(e), text.data(),
                exponent < 0 ? '-' : '+', std::abs(exponent));
  return result;
}

double TextToReal(std::string_view text) {
  const auto invalid = [&] {
    return std::invalid_argument(std::string(text) + " isn't a valid float");
  };
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) throw invalid();
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t expStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == expStart) throw invalid();
  }
  if (i != text.size()) throw invalid();

  // from_chars reads the C locale's form and takes no '+'.
  std::string_view number = text.substr(start);
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size()) throw invalid();
  return value;
}

std::string HexEncode(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    text += kHexDigits[c >> 4];
    text += kHexDigits[c & 15];
  }
  return text;
}

std::string HexDecode(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    const int high = UpperHexValue(text[i]);
    const int low = UpperHexValue(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

std::string NewId() {
  uuid_t id;
  uuid_generate(id);
  return HexEncode(std::string_view(reinterpret_cast<const char*>(id), sizeof id));
}

}  // namespace vx
