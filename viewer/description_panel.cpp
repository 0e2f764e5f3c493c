#include "description_panel.h"

#include <FL/Fl.H>

#include <algorithm>

#include "archive_session.h"
#include "document/vocabulary.h"
#include "platform/ui_scale.h"
#include "strip/strip_geometry.h"
#include "ui/draw_bitmap.h"
#include "ui/labels.h"

namespace vx::viewer {
namespace {

namespace n = names;

// Sizes at 96 dpi. The panel is scaled with its window; Layout() scales them itself.
constexpr int kBorder = 20;
constexpr int kTopHeight = 229;
constexpr int kThumbnailPanel = 189;
constexpr int kStrip = 14;
constexpr int kBottomHeight = 70;
constexpr int kNameWidth = 200, kValueLeft = 204, kValueRightGap = 24, kRowHeight = 16;
constexpr int kCreditWidth = 189, kCreditHeight = 15, kCloseWidth = 81, kCloseHeight = 23;
constexpr int kIconSize = 16;
constexpr int kFieldTextSize = 12;
constexpr Fl_Color kStripGrey = 0x9E9E9E00;
constexpr Fl_Color kNameGrey = 0x80808000;
constexpr Fl_Color kValueWhite = 0xFBFBFB00;
constexpr Fl_Color kSilver = 0xC0C0C000;

}  // namespace

void BitmapBox::draw() { ui::DrawBitmap(picture, x(), y()); }

Rect DescriptionThumbnailRect(Size panel, Size picture) {
  const Size box{panel.width - Scaled(8), panel.height - 2 * Scaled(kStrip) - Scaled(8)};
  const Size fitted = FitInside(picture, box);
  const int left = (panel.width - fitted.width) / 2, top = (panel.height - fitted.height) / 2;
  return {left, top, left + fitted.width, top + fitted.height};
}

TO_framedsc::TO_framedsc(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  box(FL_FLAT_BOX);
  color(FL_WHITE);
  top_ = new Fl_Group(x + kBorder, y + kBorder, w - 2 * kBorder, kTopHeight);
  top_->box(FL_FLAT_BOX);
  top_->color(FL_WHITE);
  thumbnailPanel_ =
      new Fl_Group(x + 2 * kBorder, y + 2 * kBorder, kThumbnailPanel, kThumbnailPanel);
  thumbnailPanel_->box(FL_FLAT_BOX);
  thumbnailPanel_->color(FL_BLACK);
  nameStrip_ = new Fl_Box(FL_FLAT_BOX, thumbnailPanel_->x(), thumbnailPanel_->y(), kThumbnailPanel,
                          kStrip, nullptr);
  nameStrip_->color(kStripGrey);
  nameStrip_->labelcolor(FL_YELLOW);
  nameStrip_->labelsize(11);
  auto* lineTop = new Fl_Box(FL_FLAT_BOX, thumbnailPanel_->x(), thumbnailPanel_->y() + kStrip,
                             kThumbnailPanel, 2, nullptr);
  lineTop->color(kSilver);
  const int bottomStripY = thumbnailPanel_->y() + kThumbnailPanel - kStrip;
  auto* lineBottom =
      new Fl_Box(FL_FLAT_BOX, thumbnailPanel_->x(), bottomStripY - 2, kThumbnailPanel, 2, nullptr);
  lineBottom->color(kSilver);
  auto* bottomStrip =
      new Fl_Box(FL_FLAT_BOX, thumbnailPanel_->x(), bottomStripY, kThumbnailPanel, kStrip, nullptr);
  bottomStrip->color(kStripGrey);
  thumbnail_ = new BitmapBox(thumbnailPanel_->x(), thumbnailPanel_->y(), 1, 1);
  thumbnailPanel_->end();
  memo_ = new Fl_Text_Display(thumbnailPanel_->x() + kThumbnailPanel + kBorder, y + 2 * kBorder, 10,
                              kThumbnailPanel);
  memo_->box(FL_FLAT_BOX);
  memo_->textsize(12);
  text_ = std::make_unique<Fl_Text_Buffer>();
  memo_->buffer(text_.get());
  memo_->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
  top_->end();
  top_->resizable(nullptr);  // Layout() places both; the thumbnail panel keeps its size

  fields_ = new Fl_Scroll(x + kBorder, y + kBorder + kTopHeight, w - 2 * kBorder, 10);
  fields_->box(FL_FLAT_BOX);
  fields_->color(FL_WHITE);
  fields_->type(Fl_Scroll::VERTICAL);
  fields_->end();

  bottom_ =
      new Fl_Group(x + kBorder, y + h - kBorder - kBottomHeight, w - 2 * kBorder, kBottomHeight);
  bottom_->box(FL_FLAT_BOX);
  bottom_->color(kSilver);
  credit_ = new LinkText(0, 0, kCreditWidth,
                         kCreditHeight);  // "Made with Vellumax", leading to the maker's page
  credit_->lead = "Made with ";
  credit_->text = "Vellumax";
  credit_->address = ui::kMakerPage;
  credit_->opaque = true;
  icon_ = new ui::LinkIcon(0, 0, kIconSize);  // the same link, at the left of the bar
  icon_->address = ui::kMakerPage;
  icon_->tooltip(ui::kMakerPage);
  close_ = new VxButton(0, 0, kCloseWidth, kCloseHeight, "Close");
  bottom_->end();
  end();
  resizable(fields_);
  Layout();
}

TO_framedsc::~TO_framedsc() { memo_->buffer(nullptr); }

void TO_framedsc::ClearPanel() {
  text_->text("");
  fields_->clear();  // destroys the labels
  nameLabels_.clear();
  valueLabels_.clear();
  fieldTexts_.clear();
  fields_->scroll_to(0, 0);
}

void TO_framedsc::ShowFrame(const TKelPigger* frame, const Bitmap* picture) {
  ClearPanel();
  caption_.clear();
  thumbnail_->picture = Bitmap();
  thumbnailRect_ = {};
  if (!frame) {
    redraw();
    return;
  }
  const TKelPigger* fields = frame->FindChild(n::kFields);
  if (!fields) fields = frame;
  fieldTexts_.reserve(static_cast<size_t>(fields->ChildCount()) * 2);  // labels keep pointers
  int row = 0;
  for (const TKelPigger* f = fields->FindChild(n::kField); f; f = fields->FindNext(f), ++row) {
    fieldTexts_.push_back(ui::LabelText(f->GetAttr(n::kFieldName)));
    // Placed by Layout().
    auto* name =
        new Fl_Box(FL_FLAT_BOX, fields_->x(), fields_->y(), 1, 1, fieldTexts_.back().c_str());
    name->color(kNameGrey);
    name->labelcolor(FL_WHITE);
    name->labelsize(Scaled(kFieldTextSize));
    name->align(FL_ALIGN_INSIDE | FL_ALIGN_RIGHT | FL_ALIGN_CLIP);
    fieldTexts_.push_back(ui::LabelText(f->GetAttr(n::kValue)));
    auto* value =
        new Fl_Box(FL_FLAT_BOX, fields_->x(), fields_->y(), 1, 1, fieldTexts_.back().c_str());
    value->color(kValueWhite);
    value->labelsize(Scaled(kFieldTextSize));
    value->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
    fields_->add(name);
    fields_->add(value);
    nameLabels_.push_back(name);
    valueLabels_.push_back(value);
  }
  // The description's line breaks are CR LF in the document.
  std::string description = fields->Text;
  description.erase(std::remove(description.begin(), description.end(), '\r'), description.end());
  text_->text(description.c_str());

  if (picture && !picture->Empty()) {
    thumbnailRect_ = DescriptionThumbnailRect({thumbnailPanel_->w(), thumbnailPanel_->h()},
                                              {picture->Width(), picture->Height()});
    Bitmap copy = *picture;
    thumbnail_->picture =
        strip::MakeThumbnail(copy, {thumbnailRect_.Width(), thumbnailRect_.Height()});
    thumbnail_->resize(thumbnailPanel_->x() + thumbnailRect_.left,
                       thumbnailPanel_->y() + thumbnailRect_.top, thumbnailRect_.Width(),
                       thumbnailRect_.Height());
  }
  caption_ = FrameCaption(*frame);
  nameStrip_->copy_label(ui::LabelText(caption_).c_str());
  Layout();
  redraw();
}

std::string TO_framedsc::DescriptionText() const {
  char* text = text_->text();
  std::string copy = text;
  free(text);
  return copy;
}

void TO_framedsc::Layout() {
  const int border = Scaled(kBorder), topHeight = Scaled(kTopHeight);
  const int panel = Scaled(kThumbnailPanel), bottomHeight = Scaled(kBottomHeight);
  const int inner = w() - 2 * border;
  top_->resize(x() + border, y() + border, inner, topHeight);
  thumbnailPanel_->position(x() + 2 * border, y() + 2 * border);
  const int memoLeft = thumbnailPanel_->x() + panel + border;
  memo_->resize(memoLeft, y() + 2 * border, std::max(10, x() + w() - 2 * border - memoLeft), panel);
  const int fieldsTop = y() + border + topHeight;
  const int fieldsHeight = std::max(10, h() - 2 * border - topHeight - bottomHeight);
  fields_->resize(x() + border, fieldsTop, inner, fieldsHeight);
  const int nameWidth = Scaled(kNameWidth), valueLeft = Scaled(kValueLeft);
  for (size_t row = 0; row < valueLabels_.size(); ++row) {
    const int rowTop = Scaled(FieldRowTop(static_cast<int>(row)));
    const int top = fieldsTop + rowTop - fields_->yposition();
    const int height = Scaled(FieldRowTop(static_cast<int>(row)) + kRowHeight) - rowTop;
    nameLabels_[row]->resize(fields_->x(), top, nameWidth, height);
    // Values run to 24 pixels before the right edge.
    valueLabels_[row]->resize(fields_->x() + valueLeft, top,
                              std::max(1, inner - valueLeft - Scaled(kValueRightGap)), height);
  }
  bottom_->resize(x() + border, y() + h() - border - bottomHeight, inner, bottomHeight);
  const int shapeLeft = bottom_->x() + border, shapeWidth = inner - 2 * border;
  const int creditWidth = Scaled(kCreditWidth), creditHeight = Scaled(kCreditHeight);
  credit_->resize(shapeLeft + RoundHalfEven((shapeWidth - creditWidth) / 2.0),
                  bottom_->y() + (bottomHeight - creditHeight) / 2, creditWidth, creditHeight);
  const int icon = Scaled(kIconSize);
  icon_->resize(shapeLeft + Scaled(8), bottom_->y() + (bottomHeight - icon) / 2, icon, icon);
  const int closeWidth = Scaled(kCloseWidth), closeHeight = Scaled(kCloseHeight);
  close_->resize(bottom_->x() + inner - closeWidth - Scaled(20 + 3),
                 bottom_->y() + (bottomHeight - closeHeight) / 2, closeWidth, closeHeight);
}

void TO_framedsc::resize(int nx, int ny, int nw, int nh) {
  Fl_Widget::resize(nx, ny, nw, nh);  // the children are placed by Layout, not scaled
  Layout();
}

}  // namespace vx::viewer
