#include "print_dialog.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "picture/resample.h"
#include "platform/ui_scale.h"
#include "strip/strip_geometry.h"
#include "ui/dialogs.h"
#include "ui/draw_bitmap.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::viewer {
namespace {

constexpr Fl_Color kDarkGrey = 0x40404000;

// The layout is worked out at 96 dpi and shown at the desktop's scale.
Rect ScaledRect(const Rect& r) {
  return {Scaled(r.left), Scaled(r.top), Scaled(r.right), Scaled(r.bottom)};
}

}  // namespace

TF_prnt::TF_prnt() : Fl_Double_Window(400, 300, "Print picture") {
  color(kDarkGrey);
  panel_ = new Fl_Group(400 - kPrintPanelWidth, 0, kPrintPanelWidth, 300);
  panel_->box(FL_DOWN_BOX);
  panel_->color(0xC0C0C000);
  const int px = panel_->x();
  print_ = new VxButton(px + 14, 16, 91, 25, "Print");
  print_->labelfont(FL_HELVETICA_BOLD);
  print_->callback([](Fl_Widget*, void* d) { static_cast<TF_prnt*>(d)->SB_printClick(); }, this);
  setup_ = new VxButton(px + 14, 43, 91, 25, "Printer setup");
  setup_->callback([](Fl_Widget*, void* d) { static_cast<TF_prnt*>(d)->SB_setupClick(); }, this);
  cancel_ = new VxButton(px + 14, 70, 91, 25, "Cancel");
  cancel_->callback([](Fl_Widget*, void* d) { static_cast<TF_prnt*>(d)->SB_cancelClick(); }, this);
  scale_ = new Fl_Group(px + 16, 104 + 14, 89, 65 - 14, "Scale");
  scale_->box(FL_ENGRAVED_FRAME);
  scale_->align(FL_ALIGN_TOP_LEFT);
  scale_->labelsize(12);
  original_ = new Fl_Round_Button(px + 20, 104 + 18, 84, 18, "Original");
  fit_ = new Fl_Round_Button(px + 20, 104 + 38, 84, 18, "Fit to page");
  for (Fl_Round_Button* b : {original_, fit_}) {
    b->type(FL_RADIO_BUTTON);
    b->labelsize(12);
    b->callback([](Fl_Widget*, void* d) { static_cast<TF_prnt*>(d)->Prepare(); }, this);
  }
  original_->setonly();
  scale_->end();
  panel_->end();
  panel_->resizable(nullptr);  // its controls keep their size when the preview changes height
  end();
  resizable(nullptr);  // fixed: its size follows the page
  ui::ScaleWidgetTree(*this);
}

void TF_prnt::ChooseFitToPage(bool fit) {
  (fit ? fit_ : original_)->setonly();
  Prepare();
}

void TF_prnt::EnableControls(bool enable) {
  for (Fl_Widget* w : {static_cast<Fl_Widget*>(print_), static_cast<Fl_Widget*>(setup_),
                       static_cast<Fl_Widget*>(cancel_), static_cast<Fl_Widget*>(scale_)}) {
    if (enable) {
      w->activate();
    } else {
      w->deactivate();
    }
  }
}

bool TF_prnt::PrintPicture(const Bitmap& picture) {
  picture_ = picture;
  try {
    Prepare();
  } catch (const std::exception& e) {
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
    return false;
  }
  ui::CurrentDialogs().RunModal(*this);
  return true;
}

void TF_prnt::Prepare() {
  fl_cursor(FL_CURSOR_WAIT);
  EnableControls(false);
  Fl::flush();  // shows the wait without taking events: none may arrive half-way through
  try {
    page_ = ui::CurrentDialogs().Printer().Page();
    preview_ = PreviewSize(page_);
    const Size dialog = PrintDialogSize(preview_);
    const int width = Scaled(dialog.width), height = Scaled(dialog.height);
    size(width, height);
    ui::CenterOnScreen(*this);
    panel_->resize(width - Scaled(kPrintPanelWidth), 0, Scaled(kPrintPanelWidth), height);
    const Size picture{picture_.Width(), picture_.Height()};
    if (FitsOnPage(picture, page_)) {
      scale_->show();
    } else {
      fit_->setonly();
      scale_->hide();
    }
    if (FitToPageChosen()) {
      const Size fitted = FitToPage(picture, page_);
      printBitmap_ = Bitmap(fitted.width, fitted.height);
      ResizeBilinear(picture_, printBitmap_);
    } else {
      printBitmap_ = picture_;
    }
    thumbnailRect_ =
        ScaledRect(PreviewPicture({printBitmap_.Width(), printBitmap_.Height()}, page_, preview_));
    Bitmap copy = picture_;
    thumbnail_ = strip::MakeThumbnail(copy, {thumbnailRect_.Width(), thumbnailRect_.Height()});
  } catch (...) {
    EnableControls(true);
    fl_cursor(FL_CURSOR_DEFAULT);
    redraw();
    throw;
  }
  EnableControls(true);
  fl_cursor(FL_CURSOR_DEFAULT);
  redraw();
}

void TF_prnt::SB_setupClick() {
  ui::CurrentDialogs().Printer().Setup();
  try {
    Prepare();
  } catch (const std::exception& e) {
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
  }
}

void TF_prnt::SB_printClick() {
  print_->deactivate();
  // With no second print dialog any more, a job that fails is a real failure: say so.
  std::string failure;
  try {
    if (!ui::CurrentDialogs().Printer().Print(
            printBitmap_, PlaceOnPage({printBitmap_.Width(), printBitmap_.Height()}, page_))) {
      failure = "The picture was not printed.";
    }
  } catch (const std::exception& e) {
    failure = e.what();
  }
  print_->activate();
  hide();
  if (!failure.empty()) ui::CurrentDialogs().ShowMessage(failure, ui::MessageKind::Error);
}

Rect TF_prnt::PreviewPage() const {
  return ScaledRect({kPreviewOrigin.x, kPreviewOrigin.y, kPreviewOrigin.x + preview_.width,
                     kPreviewOrigin.y + preview_.height});
}

void TF_prnt::draw() {
  Fl_Double_Window::draw();
  fl_color(FL_BLACK);
  fl_line_style(FL_SOLID, 2);
  const Rect shadow =
      ScaledRect({kShadowOrigin.x, kShadowOrigin.y, kShadowOrigin.x + preview_.width,
                  kShadowOrigin.y + preview_.height});
  fl_rectf(shadow.left, shadow.top, shadow.Width(), shadow.Height(), FL_BLACK);
  fl_line_style(0);
  const Rect sheet = PreviewPage();
  fl_rectf(sheet.left, sheet.top, sheet.Width(), sheet.Height(), FL_WHITE);
  ui::DrawBitmap(thumbnail_, thumbnailRect_.left, thumbnailRect_.top);
}

}  // namespace vx::viewer
