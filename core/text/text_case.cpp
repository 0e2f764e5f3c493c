#include "text/text_case.h"

#include <FL/fl_utf8.h>

namespace vx {

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string Utf8Upper(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    int len = 0;
    unsigned ucs = fl_utf8decode(p, end, &len);
    if (len <= 1 && static_cast<unsigned char>(*p) >= 0x80) {
      // Not UTF-8: keep the byte rather than let the decoder guess a code page.
      result.push_back(*p++);
      continue;
    }
    char buf[8];
    int n = fl_utf8encode(static_cast<unsigned>(fl_toupper(ucs)), buf);
    result.append(buf, static_cast<size_t>(n));
    p += len;
  }
  return result;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return Utf8Upper(a) == Utf8Upper(b);
}

}  // namespace vx
