// The real printing engine end to end: the dialog's choices, the PostScript it writes rendered by
// Ghostscript, and one job through a CUPS queue of the test's own rendered from its PDF.
#include "picture/jpeg_codec.h"
#include "platform/printers.h"
#include "print_layout.h"
#include "printed_page.h"
#include "support/png_output.h"
#include "support/private_cups.h"
#include "support/test_archive.h"
#include "support/viewer_window_test.h"
#include "ui/printer_setup.h"

namespace vx::viewer {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 72;
constexpr double kMillimetre = kDpi / 25.4;
constexpr Color kRed = 0x1010E0;   // the picture's top-left corner, to tell its orientation
constexpr Color kBlue = 0xA03010;  // the rest

struct PrintCase {
  ui::Paper paper;
  bool landscape;
  bool fit;
  std::string Name() const {
    return std::string("print-") + (paper == ui::Paper::A4 ? "a4" : "letter") +
           (landscape ? "-landscape" : "-portrait") + (fit ? "-fit" : "-original");
  }
};

bool Reddish(Color c) { return (c & 0xFF) > 150 && (c >> 16 & 0xFF) < 100; }
bool Bluish(Color c) { return (c >> 16 & 0xFF) > 120 && (c & 0xFF) < 80; }

class PrintedPages : public test::ViewerWindowTest {
 protected:
  void SetUp() override {
    Bitmap picture(1200, 800);
    picture.Fill(kBlue);
    picture.FillRect({0, 0, 300, 200}, kRed);
    fs::create_directories(dir_.Path() / "pics");
    WriteFileAtomically(dir_ / "pics/p.jpg", *EncodeJpeg(picture, 90));
    OpenArchive(test::MakeTestArchive(
        dir_, "", "<FRAME FRAME_ID=F0 SRC_FILE=\"" + dir_ / "pics/p.jpg" + "\"/>"));
    dialogs_->engine = &engine_;
  }

  // Opens the print dialog, makes the case's choices in "Printer setup" and prints.
  void Print(const PrintCase& c, const ui::PrintSettings& destination) {
    TF_prnt& dialog = window_->PrintDialog();
    dialogs_->onModal = [&](Fl_Window& window) {
      if (auto* setup = dynamic_cast<ui::PrinterSetupWindow*>(&window)) {
        ui::PrintSettings chosen = destination;
        chosen.paper = c.paper;
        chosen.landscape = c.landscape;
        setup->Choose(chosen);
        setup->show();
        test::SaveWindowPng(*setup, "viewer-printer-setup.png");
        setup->Confirm();
        return;
      }
      dialog.SB_setupClick();
      dialog.ChooseFitToPage(c.fit);
      preview_ = dialog.PreviewPictureRect();
      previewPage_ = dialog.PreviewPage();
      printed_ = {dialog.PrintBitmap().Width(), dialog.PrintBitmap().Height()};
      dialog.SB_printClick();
    };
    window_->SB_prntClick();
    EXPECT_TRUE(dialogs_->messages.empty()) << dialogs_->messages.front();
  }

  // The page as a reader holds it: the chosen paper turned as chosen, the picture centred
  // within a millimetre, whole, at the printed size, its corner where it belongs, and where
  // the dialog's preview showed it.
  void ExpectPlacedAsChosen(const Bitmap& rendered, const PrintCase& c) {
    const Size paper = c.paper == ui::Paper::A4 ? Size{595, 842} : Size{612, 792};
    ASSERT_EQ((Size{rendered.Width(), rendered.Height()}), paper) << "the sheet comes out portrait";
    const Bitmap page = AsHeld(rendered, c.landscape);
    test::SavePng(page, c.Name() + ".png");
    const Rect box = InkBox(page);
    EXPECT_NEAR((box.left + box.right) / 2.0, page.Width() / 2.0, kMillimetre);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, page.Height() / 2.0, kMillimetre);
    EXPECT_NEAR(box.Width(), printed_.width * kDpi / 600.0, 1.5) << "cut or stretched";
    EXPECT_NEAR(box.Height(), printed_.height * kDpi / 600.0, 1.5) << "cut or stretched";
    const ui::PageSetup setup = ui::PageFor(c.paper, c.landscape);
    EXPECT_GE(box.left, setup.margin.x * kDpi / 600 - 1) << "outside the printable area";
    EXPECT_GE(box.top, setup.margin.y * kDpi / 600 - 1) << "outside the printable area";
    EXPECT_TRUE(Reddish(page.Pixel(box.left + box.Width() / 10, box.top + box.Height() / 10)));
    EXPECT_TRUE(Bluish(page.Pixel(box.right - box.Width() / 10, box.bottom - box.Height() / 10)));
    // The preview is the sheet scaled down: the same box, give or take a preview pixel.
    const double scale = static_cast<double>(previewPage_.Width()) / page.Width();
    EXPECT_NEAR(preview_.left - previewPage_.left, box.left * scale, 1.5);
    EXPECT_NEAR(preview_.top - previewPage_.top, box.top * scale, 1.5);
    EXPECT_NEAR(preview_.Width(), box.Width() * scale, 1.5);
    EXPECT_NEAR(preview_.Height(), box.Height() * scale, 1.5);
  }

  ui::DesktopPrintEngine engine_{ui::PrintSettings{}};
  Rect preview_, previewPage_;
  Size printed_;
};

TEST_F(PrintedPages, EveryPaperOrientationAndScaleOnAPostScriptFile) {
  for (const ui::Paper paper : {ui::Paper::A4, ui::Paper::Letter}) {
    for (const bool landscape : {false, true}) {
      for (const bool fit : {false, true}) {
        const PrintCase c{paper, landscape, fit};
        SCOPED_TRACE(c.Name());
        const std::string file = dir_ / (c.Name() + ".ps");
        Print(c, {"", file, ui::Paper::A4, false});
        EXPECT_EQ(engine_.Settings().file, file);
        const std::string text = ReadWholeFile(file);
        EXPECT_TRUE(text.starts_with("%!PS")) << text.substr(0, 20);
        ExpectPlacedAsChosen(RenderPostScriptPage(file, kDpi), c);
      }
    }
  }
}

TEST_F(PrintedPages, AJobThroughACupsQueue) {
  test::PrivateCups cups(dir_.Path() / "cups");
  if (!cups.Problem().empty()) GTEST_SKIP() << "CUPS cannot run here: " << cups.Problem();
  // The queue is this desktop's only printer, so a new engine starts with it.
  EXPECT_EQ(ui::DesktopPrintEngine().Settings().printer, test::PrivateCups::kQueue);
  const PrintCase c{ui::Paper::Letter, true, false};
  Print(c, {test::PrivateCups::kQueue, "", ui::Paper::A4, false});
  const std::string pdf = cups.WaitForPdf(60);
  ASSERT_FALSE(pdf.empty()) << "no PDF from the queue";
  const auto info = ReadProgramOutput("pdfinfo", {pdf});
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->find("612 x 792 pts"), std::string::npos) << *info;
  ExpectPlacedAsChosen(RenderPdfPage(pdf, kDpi), c);
}

TEST(Printers, TheDefaultComesFirst) {
  EXPECT_EQ(OrderPrinters("office\nlab_2\nhome/duplex\n", "system default destination: lab_2\n"),
            (std::vector<std::string>{"lab_2", "office", "home/duplex"}));
  EXPECT_EQ(OrderPrinters("office\nlab\n", "no system default destination\n"),
            (std::vector<std::string>{"office", "lab"}));
  EXPECT_TRUE(OrderPrinters("", "").empty());
}

}  // namespace
}  // namespace vx::viewer
