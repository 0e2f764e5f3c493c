// Printed pages as they come out of a printer: rendered by Ghostscript or Poppler into a
// bitmap, turned as the reader holds them, and measured.
#pragma once

#include <string>

#include "picture/bitmap.h"

namespace vx {

// The first page of a PostScript (Ghostscript) or PDF (pdftoppm) file at the given dots per
// inch on white; fails with the renderer's name when it did not render.
Bitmap RenderPostScriptPage(const std::string& path, int dpi);
Bitmap RenderPdfPage(const std::string& path, int dpi);

// A landscape page comes out on a portrait sheet, turned a quarter clockwise; this turns it
// back so it reads as chosen.
Bitmap AsHeld(const Bitmap& page, bool landscape);

// The smallest rectangle around every pixel that is not white.
Rect InkBox(const Bitmap& page);

}  // namespace vx
