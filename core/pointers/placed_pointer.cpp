#include "pointers/placed_pointer.h"

#include <exception>

#include "document/kel_pigger.h"
#include "document/vocabulary.h"
#include "pointers/pointer_record.h"

namespace vx {

PointerProperties NewPointer(int kind, const std::string& label, Color text, Color pen,
                             Color brush) {
  PointerProperties p;
  p.kind = kind;
  p.label = label;
  p.text = text;
  p.pen = pen;
  p.brush = brush;
  p.areaWidth = 298;
  p.areaHeight = 55;
  return p;
}

std::vector<PlacedPointer> ReadPlacedPointers(const std::string& text, Size picture) {
  std::vector<PlacedPointer> pointers;
  TKelPigger root;
  try {
    root.LoadFromText(text);
  } catch (const EKelPiggerError&) {
    return pointers;
  }
  for (int i = 0; i < root.ChildCount(); ++i) {
    const TKelPigger& element = *root.Child(i);
    if (!PointerKindOf(element.Name)) continue;
    try {
      const PointerRecord record = ReadPointerRecord(element);
      PlacedPointer pointer;
      PointerProperties& p = pointer.properties;
      p.kind = static_cast<int>(record.kind);
      p.objId = record.id;
      p.label = record.label;
      p.leftToRight = record.leftToRight;
      p.bottomToTop = record.bottomToTop;
      p.brush = record.brush;
      p.pen = record.pen;
      p.text = record.text;
      p.areaWidth = FractionToPixels(record.areaWidth, picture.width);
      p.areaHeight = FractionToPixels(record.areaHeight, picture.height);
      pointer.anchor = {FractionToPixels(record.anchorX, picture.width),
                        FractionToPixels(record.anchorY, picture.height)};
      pointers.push_back(std::move(pointer));
    } catch (const std::exception&) {
      // A record that cannot be read is not loaded; the others still are.
    }
  }
  return pointers;
}

std::string WritePlacedPointers(const std::vector<PlacedPointer>& pointers, Size picture) {
  TKelPigger root;
  root.SetName(names::kPointers);
  // A picture is never empty, but a fraction of nothing must not become infinite.
  const double w = picture.width > 0 ? picture.width : 1;
  const double h = picture.height > 0 ? picture.height : 1;
  for (const PlacedPointer& pointer : pointers) {
    const PointerProperties& p = pointer.properties;
    PointerRecord record;
    record.kind = static_cast<PointerKind>(p.kind);
    record.id = p.objId;
    record.anchorX = pointer.anchor.x / w;
    record.anchorY = pointer.anchor.y / h;
    record.label = p.label;
    record.leftToRight = p.leftToRight;
    record.bottomToTop = p.bottomToTop;
    record.areaWidth = p.areaWidth / w;
    record.areaHeight = p.areaHeight / h;
    record.brush = p.brush;
    record.pen = p.pen;
    record.text = p.text;
    WritePointerRecord(root, record);
  }
  return root.SaveToText();
}

}  // namespace vx
