// Opens an archive in the viewer's main window (under Xvfb when there is no desktop) and
// saves what a person would see: the main panel, the lens over the picture, a zoom preview,
// the pointers shown, the description panel, the filter dialog, the real-size view, the
// print dialog, and for each paper, orientation and scale the printed page rendered at 72 dpi
// beside the dialog's preview of it (print-PAPER-ORIENTATION-MODE.png). On a scaled desktop
// (VX_SCALE=2, say) only the main window and the filter dialog, as viewer-main-2x.png and
// viewer-filter-2x.png.
//   viewer_screenshots ARCHIVE FOLDER
#include <FL/Fl.H>

#include <cstdio>
#include <filesystem>

#include "archive_session.h"
#include "blocks/data_blocks.h"
#include "main_window.h"
#include "photographing_dialogs.h"
#include "platform/files.h"
#include "platform/ui_scale.h"
#include "printed_page.h"
#include "screenshot.h"
#include "ui/font_fallback_driver.h"
#include "ui/printer_setup.h"
#include "ui/printing.h"

namespace {

// Prints with the real engine into a PostScript file: the setup makes the given choices, the
// print dialog is photographed for its preview and printed in the given scale.
class PrintingDialogs : public vx::PhotographingDialogs {
 public:
  PrintingDialogs(vx::ui::PrintSettings settings, bool fit)
      : engine_(settings), settings_(std::move(settings)), fit_(fit) {}
  void RunModal(Fl_Window& dialog) override {
    if (auto* setup = dynamic_cast<vx::ui::PrinterSetupWindow*>(&dialog)) {
      setup->Choose(settings_);
      setup->Confirm();
      return;
    }
    auto& print = dynamic_cast<vx::viewer::TF_prnt&>(dialog);
    print.SB_setupClick();
    print.ChooseFitToPage(fit_);
    print.show();
    const vx::Bitmap shot = vx::CaptureWindow(print);
    const vx::Rect page = print.PreviewPage();
    preview_ = vx::Bitmap(page.Width(), page.Height());
    vx::StretchCopy(shot, page, preview_, {0, 0, page.Width(), page.Height()});
    print.SB_printClick();
  }
  vx::ui::PrintEngine& Printer() override { return engine_; }
  const vx::Bitmap& Preview() const { return preview_; }

 private:
  vx::ui::DesktopPrintEngine engine_;
  vx::ui::PrintSettings settings_;
  bool fit_;
  vx::Bitmap preview_;
};

// The printed page on the left, the dialog's preview enlarged to the same size on the right.
vx::Bitmap BesideEachOther(const vx::Bitmap& page, const vx::Bitmap& preview) {
  constexpr int kGap = 16;
  vx::Bitmap both(page.Width() * 2 + kGap, page.Height());
  both.Fill(0x404040);
  vx::StretchCopy(page, {0, 0, page.Width(), page.Height()}, both,
                  {0, 0, page.Width(), page.Height()});
  vx::StretchCopy(preview, {0, 0, preview.Width(), preview.Height()}, both,
                  {page.Width() + kGap, 0, both.Width(), page.Height()});
  return both;
}

void PhotographPrintedPages(vx::viewer::TFmain& window, const std::filesystem::path& folder) {
  using vx::ui::Paper;
  for (const Paper paper : {Paper::A4, Paper::Letter}) {
    for (const bool landscape : {false, true}) {
      for (const bool fit : {false, true}) {
        const std::string name = std::string("print-") + (paper == Paper::A4 ? "a4" : "letter") +
                                 (landscape ? "-landscape" : "-portrait") +
                                 (fit ? "-fit" : "-original");
        const vx::WorkingFile file(std::filesystem::temp_directory_path().string(), name, ".ps");
        auto owned = std::make_unique<PrintingDialogs>(
            vx::ui::PrintSettings{"", file.Path(), paper, landscape}, fit);
        const PrintingDialogs& dialogs = *owned;
        auto previous = vx::ui::InstallDialogs(std::move(owned));
        window.SB_prntClick();
        const vx::Bitmap page = vx::AsHeld(vx::RenderPostScriptPage(file.Path(), 72), landscape);
        vx::SavePng(BesideEachOther(page, dialogs.Preview()), (folder / (name + ".png")).string());
        vx::ui::InstallDialogs(std::move(previous));
      }
    }
  }
}

// The main window and a dialog, named after the factor: what a high-density desktop shows.
int PhotographScaled(vx::viewer::TFmain& window, const std::filesystem::path& folder) {
  char factor[16];
  std::snprintf(factor, sizeof factor, "%gx", vx::ScaleFactor());
  vx::SaveWindowPng(window, (folder / ("viewer-main-" + std::string(factor) + ".png")).string());
  auto& filter = window.FilterDialog();
  filter.SelectCriterion("2:Place");
  filter.show();
  vx::SaveWindowPng(filter, (folder / ("viewer-filter-" + std::string(factor) + ".png")).string());
  filter.hide();
  std::printf("screenshots at %s in %s\n", factor, folder.string().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: viewer_screenshots ARCHIVE FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[2];
  vx::ui::UseFontFallback();  // as the programs do
  std::filesystem::create_directories(folder);
  const vx::ArchiveImage image(argv[1]);
  vx::viewer::ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  if (!session.LoadDescription()) {
    std::fprintf(stderr, "no archive description in %s\n", argv[1]);
    return 1;
  }
  vx::viewer::TFmain window(session, std::filesystem::path(argv[1]).filename().string(),
                            vx::Scaled(1280), vx::Scaled(900));
  int shown = 0;
  window.OnPictureShown = [&] { ++shown; };
  window.show();
  window.FormActivate();
  vx::WaitFor([&] { return shown > 0 && window.PendingLoads() == 0; });
  if (vx::ScaleFactor() != 1) return PhotographScaled(window, folder);
  vx::SaveWindowPng(window, (folder / "viewer-main.png").string());

  auto& view = window.View();
  const vx::Rect picture = view.Model().PictureRect();
  view.Model().MouseDown({(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2},
                         true);
  view.redraw();
  vx::SaveWindowPng(window, (folder / "viewer-lens.png").string());

  view.ZoomStep(false);
  vx::SaveWindowPng(window, (folder / "viewer-zoom-preview.png").string());

  window.PointersButton().value(1);
  window.PointersButton().do_callback();
  const int before = shown;
  vx::WaitFor([&] { return shown > before && window.PendingLoads() == 0; });
  vx::SaveWindowPng(window, (folder / "viewer-pointers.png").string());

  window.SB_DSCClick();
  vx::SaveWindowPng(window, (folder / "viewer-description.png").string());
  window.ShowPanel(vx::viewer::TFmain::Panel::Main);

  auto& filter = window.FilterDialog();
  filter.SelectCriterion("2:Place");
  filter.show();
  vx::SaveWindowPng(filter, (folder / "viewer-filter.png").string());
  filter.hide();

  window.SB_realSizeClick();
  vx::SaveWindowPng(window, (folder / "viewer-real-size.png").string());
  window.ShowPanel(vx::viewer::TFmain::Panel::Main);

  // The print dialog is modal: photographed instead of waited for.
  auto photographing = std::make_unique<vx::PhotographingDialogs>();
  photographing->path = (folder / "viewer-print.png").string();
  auto previous = vx::ui::InstallDialogs(std::move(photographing));
  window.SB_prntClick();
  vx::ui::InstallDialogs(std::move(previous));
  PhotographPrintedPages(window, folder);
  std::printf("screenshots in %s\n", folder.string().c_str());
  return 0;
}
