// One line of text in the order it is drawn, left to right.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Text with right-to-left letters (Arabic, Hebrew) reordered for display by the Unicode
// bidirectional algorithm, paragraph direction from its first strong letter, Arabic letters in
// their joined forms and brackets mirrored. Text without any comes back unchanged.
std::u32string VisualOrder(std::u32string_view logical);

}  // namespace vx
