// The fonts labels are drawn with: the one compiled into the program for every character it
// has, the machine's own fonts for the others.
#pragma once

#include <cairo.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// A piece of a label drawn with one font, in drawing order.
struct LabelRun {
  cairo_font_face_t* face;
  std::string text;
};

// FreeType faces are not thread-safe: every use of the functions below holds this lock.
std::unique_lock<std::mutex> LockLabelFont();

// The label in drawing order (right-to-left script reordered), cut where the font changes.
// A label the compiled-in font covers is one run of the text as it is.
std::vector<LabelRun> LabelRuns(std::string_view text);

// Sets a run's face (nullptr: the compiled-in one) at the label size with fixed options, so
// that layout does not depend on the machine's settings.
void UseLabelFont(cairo_t* cr, cairo_font_face_t* face = nullptr);

}  // namespace vx
