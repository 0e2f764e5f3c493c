#include <FL/Fl.H>

#include <cstdio>
#include <filesystem>

#include "archive_session.h"
#include "blocks/data_blocks.h"
#include "main_window.h"
#include "picture/icon.h"
#include "platform/display.h"
#include "platform/paths.h"
#include "platform/startup.h"
#include "ui/dialogs.h"
#include "ui/event_loop.h"
#include "ui/font_fallback_driver.h"
#include "ui/icon_images.h"
#include "ui/latest_work.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace {

constexpr const char* kNoArchive = "To make new archive run Vellumax.exe";

// Without an archive description there is nothing to show.
int Refuse() {
  if (vx::DisplayAvailable()) {
    vx::ui::ScaleToolkit();
    vx::ui::CurrentDialogs().ShowMessage(kNoArchive, vx::ui::MessageKind::Information);
  } else {
    std::fprintf(stderr, "%s\n", kNoArchive);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  vx::ui::UseFontFallback();
  vx::viewer::ArchiveSession session([](std::string_view name) { return vx::ReadBlock(name); });
  try {
    if (!session.LoadDescription()) return Refuse();
  } catch (const std::exception&) {
    return Refuse();  // our own file could not even be read
  }

  vx::ui::UseAsWindowIcons(vx::DefaultIconPictures());
  Fl::visual(FL_DOUBLE | FL_RGB);
  vx::ui::ScaleToolkit();
  int x = 0, y = 0, w = 1024, h = 768;
  Fl::screen_work_area(x, y, w, h);  // as large as it may be until the maximised state comes
  vx::viewer::TFmain window(session,
                            std::filesystem::path(vx::OwnProgramPath()).filename().string(), w, h);
  window.position(x, y);
  window.show();
  vx::ui::Maximize(window);
  window.FormActivate();
  // The archive's own icon, when it carries one that can be read, is looked up on a worker:
  // in an archive without one the whole file is searched to be sure, which must not hold the
  // first picture back.
  vx::ui::LatestWork iconLookup;
  iconLookup.Start([&window] {
    auto icons = std::make_shared<std::vector<vx::IconPicture>>(
        vx::DecodeIcoImages(vx::ReadBlock(vx::kMainIconBlock)));
    return [&window, icons] { vx::ui::UseAsWindowIcons(*icons, &window); };
  });
  return vx::ui::RunEventLoop();
}
