#include "pointers/pointer_record.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "document/vocabulary.h"
#include "picture/geometry.h"
#include "text/trim.h"

namespace vx {
namespace {

namespace n = names;

double RealOrZero(const TKelPigger& element, const char* key) {
  const std::string text = element.GetAttr(key);
  return text.empty() ? 0.0 : TextToReal(text);
}

// Positions and sizes from a document can be anything (1e308, -1e308); a pointer this far out
// shows on no picture.
constexpr double kFarOut = 1 << 24;

}  // namespace

int FractionToPixels(double fraction, double side) {
  const double value = fraction * side;
  if (std::isnan(value)) throw std::invalid_argument("Not a position");
  return RoundHalfEven(std::clamp(value, -kFarOut, kFarOut));
}

std::optional<PointerKind> PointerKindOf(std::string_view elementName) {
  if (elementName == n::kCloud) return PointerKind::Cloud;
  if (elementName == n::kArrow) return PointerKind::Arrow;
  if (elementName == n::kProtectedArea) return PointerKind::Area;
  return std::nullopt;
}

const char* ElementNameOf(PointerKind kind) {
  switch (kind) {
    case PointerKind::Arrow:
      return n::kArrow;
    case PointerKind::Area:
      return n::kProtectedArea;
    case PointerKind::Cloud:
      break;
  }
  return n::kCloud;
}

PointerRecord ReadPointerRecord(const TKelPigger& element) {
  PointerRecord record;
  record.kind = PointerKindOf(element.Name).value_or(PointerKind::Cloud);
  record.id = Trim(element.GetAttr(n::kObjectId));
  record.anchorX = TextToReal(element.GetAttr(n::kAnchorX));
  record.anchorY = TextToReal(element.GetAttr(n::kAnchorY));
  record.label = element.GetAttr(n::kLabel);
  record.leftToRight = element.GetAttr(n::kLeftToRight) == n::kYes;
  record.bottomToTop = element.GetAttr(n::kBottomToTop) == n::kYes;
  record.areaWidth = RealOrZero(element, n::kAreaWidth);
  record.areaHeight = RealOrZero(element, n::kAreaHeight);
  record.brush = TextToColor(element.GetAttr(n::kBrushColor));
  record.pen = TextToColor(element.GetAttr(n::kPenColor));
  record.text = TextToColor(element.GetAttr(n::kTextColor));
  return record;
}

TKelPigger* WritePointerRecord(TKelPigger& pointers, const PointerRecord& record) {
  auto* element = new TKelPigger(&pointers);
  element->SetName(ElementNameOf(record.kind));
  element->SetAttr(n::kObjectId, record.id);
  element->SetAttr(n::kAnchorX, RealToText(record.anchorX));
  element->SetAttr(n::kAnchorY, RealToText(record.anchorY));
  element->SetAttr(n::kLabel, record.label);
  element->SetAttr(n::kLeftToRight, record.leftToRight ? n::kYes : "");
  element->SetAttr(n::kBottomToTop, record.bottomToTop ? n::kYes : "");
  if (record.kind == PointerKind::Area) {
    element->SetAttr(n::kAreaWidth, RealToText(record.areaWidth));
    element->SetAttr(n::kAreaHeight, RealToText(record.areaHeight));
  }
  element->SetAttr(n::kBrushColor, ColorToText(record.brush));
  element->SetAttr(n::kPenColor, ColorToText(record.pen));
  element->SetAttr(n::kTextColor, ColorToText(record.text));
  return element;
}

}  // namespace vx
