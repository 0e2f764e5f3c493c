// The arithmetic of the print dialog: the page preview, the dialog's size, and where the
// picture lies on the page. The picture is placed in the printable area; the preview shows
// the whole sheet.
#pragma once

#include "picture/geometry.h"
#include "ui/printing.h"

namespace vx::viewer {

inline constexpr int kPrintMargin = 30;   // dots, taken from the page as a whole
inline constexpr int kPreviewSide = 160;  // the preview's shorter side
inline constexpr Point kPreviewOrigin{24, 24};
inline constexpr Point kShadowOrigin{32, 32};
inline constexpr int kPrintPanelWidth = 121;

// The whole sheet, or the printable area when the page gives no sheet.
Size SheetOf(const ui::PageSetup& page);
Size PreviewSize(const ui::PageSetup& page);
Size PrintDialogSize(Size preview);
// Whether the picture fits on the page dot for dot.
bool FitsOnPage(Size picture, const ui::PageSetup& page);
// The picture's size in dots when fitted to the page less the margin.
Size FitToPage(Size picture, const ui::PageSetup& page);
// Centred in the printable area, in dots from its corner.
Point PlaceOnPage(Size printed, const ui::PageSetup& page);
// Where the printed picture shows on the preview of the sheet (dialog coordinates).
Rect PreviewPicture(Size printed, const ui::PageSetup& page, Size preview);

}  // namespace vx::viewer
