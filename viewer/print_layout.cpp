#include "print_layout.h"

#include <algorithm>

namespace vx::viewer {

Size SheetOf(const ui::PageSetup& page) {
  return page.sheet.width > 0 && page.sheet.height > 0 ? page.sheet : Size{page.width, page.height};
}

Size PreviewSize(const ui::PageSetup& page) {
  const Size sheet = SheetOf(page);
  if (sheet.width <= 0 || sheet.height <= 0) return {kPreviewSide, kPreviewSide};
  return page.landscape ? Size{sheet.width * kPreviewSide / sheet.height, kPreviewSide}
                        : Size{kPreviewSide, sheet.height * kPreviewSide / sheet.width};
}

Size PrintDialogSize(Size preview) {
  return {kPreviewOrigin.x + preview.width + kPrintPanelWidth + kShadowOrigin.x,
          kPreviewOrigin.y + preview.height + kShadowOrigin.y};
}

bool FitsOnPage(Size picture, const ui::PageSetup& page) {
  return picture.width <= page.width && picture.height <= page.height;
}

Size FitToPage(Size picture, const ui::PageSetup& page) {
  return FitInside(picture, {page.width - kPrintMargin, page.height - kPrintMargin});
}

Point PlaceOnPage(Size printed, const ui::PageSetup& page) {
  return {(page.width - printed.width) / 2, (page.height - printed.height) / 2};
}

Rect PreviewPicture(Size printed, const ui::PageSetup& page, Size preview) {
  // The same placement as on paper, scaled down: edges rounded, at least one pixel shown.
  const Size sheet = SheetOf(page);
  const double sx = sheet.width > 0 ? static_cast<double>(preview.width) / sheet.width : 0;
  const double sy = sheet.height > 0 ? static_cast<double>(preview.height) / sheet.height : 0;
  const Point at = PlaceOnPage(printed, page);
  const int left = page.margin.x + at.x, top = page.margin.y + at.y;
  Rect shown{kPreviewOrigin.x + RoundHalfEven(left * sx),
             kPreviewOrigin.y + RoundHalfEven(top * sy),
             kPreviewOrigin.x + RoundHalfEven((left + printed.width) * sx),
             kPreviewOrigin.y + RoundHalfEven((top + printed.height) * sy)};
  shown.right = std::max(shown.right, shown.left + 1);
  shown.bottom = std::max(shown.bottom, shown.top + 1);
  return shown;
}

}  // namespace vx::viewer
