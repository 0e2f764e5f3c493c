#include "print_layout.h"

namespace vx::viewer {

Size PreviewSize(const ui::PageSetup& page) {
  if (page.width <= 0 || page.height <= 0) return {kPreviewSide, kPreviewSide};
  return page.landscape ? Size{page.width * kPreviewSide / page.height, kPreviewSide}
                        : Size{kPreviewSide, page.height * kPreviewSide / page.width};
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

Rect PreviewPicture(Size printed, Size picture, const ui::PageSetup& page, Size preview) {
  const double x = page.width > 0 ? static_cast<double>(preview.width) / page.width : 0;
  const int inset = RoundHalfEven(kPrintMargin * x) + 5;
  const Size shown = FitInside(picture, {RoundHalfEven(x * printed.width) - inset,
                                         RoundHalfEven(x * printed.height) - inset});
  const int left = kPreviewOrigin.x + (preview.width - shown.width) / 2;
  const int top = kPreviewOrigin.y + (preview.height - shown.height) / 2;
  return {left, top, left + shown.width, top + shown.height};
}

}  // namespace vx::viewer
