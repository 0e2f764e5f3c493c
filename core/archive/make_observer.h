// What archive making shows and asks while it runs: the builder's progress dialog and the
// command-line maker both implement it. Every call comes from the thread that makes.
#pragma once

#include <string>

namespace vx {

class MakeObserver {
 public:
  virtual ~MakeObserver() = default;
  // A message the user must see, in the words the maker gives.
  virtual void ShowMessage(const std::string& text) = 0;
  // The gauge (0 to 100) with the BREAK button, while pictures are processed.
  virtual void ShowPictureProgress(int percent) = 0;
  // "ZIP compressing in progress..." instead of the gauge.
  virtual void ShowZipping() = 0;
  // Asked once per picture; true when the user has confirmed a break. A window keeps
  // itself responsive here.
  virtual bool BreakRequested() = 0;
};

}  // namespace vx
