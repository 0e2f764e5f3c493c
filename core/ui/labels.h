// Texts from archives shown as FLTK labels: FLTK reads "@" as the start of a symbol, so an
// address like someone@example.com would lose its end. Doubling it shows it as it is.
#pragma once

#include <string>
#include <string_view>

namespace vx::ui {

inline std::string LabelText(std::string_view text) {
  std::string label;
  label.reserve(text.size());
  for (char c : text) {
    label += c;
    if (c == '@') label += '@';
  }
  return label;
}

}  // namespace vx::ui
