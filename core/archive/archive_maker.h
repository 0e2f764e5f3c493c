// Making an archive from a project document: an executable archive (a copy of the viewer
// with the description and every picture appended as blocks), the same in a ZIP, or a ZIP of
// JPEG files. Pictures are decoded and encoded in parallel; blocks, messages and progress
// come strictly in frame order.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "archive/make_observer.h"
#include "document/kel_pigger.h"
#include "picture/bitmap.h"
#include "protection/protected_areas.h"

namespace vx {

inline constexpr const char* kBrokenByUser = "Process has been broken by user.";

// Called for every picture of a ZIP of JPEG files before it is encoded, on a worker thread:
// it may change the bitmap (the builder draws the frame's pointers) and nothing shared.
using PictureCallback = std::function<void(const TKelPigger& frame, Bitmap& picture)>;

struct MakeOptions {
  std::string viewerPath;    // the viewer program every executable archive is a copy of
  std::string exportFolder;  // where a ZIP of JPEG files leaves its pictures
  AreaLock areas;            // what locks the protected areas (DocumentForMaking gives it)
  PictureCallback onPicture;
  // The ICO file an executable archive carries as its icon; empty: it keeps the viewer's.
  std::string mainIcon;
  // An executable archive carries a small JPEG of every frame's picture (TN_ + FRAME_ID) for
  // the viewer's strip.
  bool thumbnails = true;
};

// Draws each frame's pointers into its picture when the project's SP4ZA is "Y"; nothing
// otherwise.
PictureCallback PointerDrawingFor(const TKelPigger& document);

// The file a make writes: OUTPUT_FILE, with ".zip" for the two ZIP kinds.
std::string OutputPathOf(const TKelPigger& document);

// Makes the kind that OFT selects ("0", "1" or "2"; empty is "0"). The document and the
// area lock come from DocumentForMaking. True when the output was written; on any failure or
// cancel an existing output file is left exactly as it was.
bool MakeArchive(const TKelPigger& document, const MakeOptions& options, MakeObserver& observer);

bool MakeExecutable(const TKelPigger& document, bool envelope, const MakeOptions& options,
                    MakeObserver& observer);
bool MakeJpegZip(const TKelPigger& document, const MakeOptions& options, MakeObserver& observer);

// Replaces target by source in one step.
bool CopyResult(const std::string& source, const std::string& target);

// JPQ as a number; 100 when it is not one.
int JpegQualityOf(const TKelPigger& document);

}  // namespace vx
