#include "filter_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>

#include "platform/ui_scale.h"
#include "ui/dialogs.h"
#include "ui/labels.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::viewer {
namespace {

constexpr Fl_Color kSilver = 0xC0C0C000;

constexpr Fl_Labeltype kCriterionLabel = FL_FREE_LABELTYPE;
constexpr int kIconSize = 16, kTextLeft = 20, kItemTextSize = 12;  // at 96 dpi

// The three criterion icons, drawn by code: description lines, a pointer arrow, a field table.
std::unique_ptr<Fl_Image> MakeIcon(int kind) {
  static unsigned char pixels[3][16 * 16 * 4];
  unsigned char* p = pixels[kind];
  auto set = [&](int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    unsigned char* px = p + (y * 16 + x) * 4;
    px[0] = r, px[1] = g, px[2] = b, px[3] = 255;
  };
  std::fill(p, p + 16 * 16 * 4, 0);
  for (int y = 1; y < 15; ++y) {
    for (int x = 1; x < 15; ++x) {
      switch (kind) {
        case 0:  // a page with lines of text
          set(x, y, 255, 255, 255);
          if (x == 1 || x == 14 || y == 1 || y == 14) set(x, y, 90, 90, 90);
          if (y % 3 == 1 && y > 2 && y < 14 && x > 3 && x < 12) set(x, y, 40, 60, 160);
          break;
        case 1:  // an arrow pointing left
          if (std::abs(y - 8) <= (x < 7 ? x - 1 : 2) && x < 15) set(x, y, 220, 170, 40);
          break;
        default:  // a two-column table
          set(x, y, (x < 7 ? 128 : 250), (x < 7 ? 128 : 250), (x < 7 ? 128 : 250));
          if (y % 4 == 1 || x == 1 || x == 14 || x == 7) set(x, y, 70, 70, 70);
          break;
      }
    }
  }
  // Drawn on a 16 x 16 grid, shown at the desktop's scale.
  Fl_RGB_Image grid(p, 16, 16, 4);
  return std::unique_ptr<Fl_Image>(grid.copy(Scaled(kIconSize), Scaled(kIconSize)));
}

Fl_Image& Icon(int kind) {
  static std::unique_ptr<Fl_Image> icons[3] = {MakeIcon(0), MakeIcon(1), MakeIcon(2)};
  return *icons[std::clamp(kind, 0, 2)];
}

// A criterion item "0:DESCRIPTION": its prefix picks the icon, the rest is the text shown.
void DrawCriterion(const Fl_Label* label, int x, int y, int w, int h, Fl_Align) {
  const char* text = label->value ? label->value : "";
  if (std::strlen(text) < 2) return;
  Icon(text[0] - '0').draw(x + Scaled(2), y + (h - Scaled(kIconSize)) / 2);
  fl_font(label->font, label->size);
  fl_color(label->color);
  const int left = Scaled(kTextLeft);
  fl_draw(ui::LabelText(text + 2).c_str(), x + left, y, w - left, h, FL_ALIGN_LEFT | FL_ALIGN_CLIP);
}

void MeasureCriterion(const Fl_Label* label, int& w, int& h) {
  const char* text = label->value ? label->value : "";
  fl_font(label->font, label->size);
  w = Scaled(kTextLeft) + static_cast<int>(fl_width(std::strlen(text) >= 2 ? text + 2 : text));
  h = std::max(Scaled(kTextLeft), fl_height());
}

}  // namespace

TD_filter::TD_filter() : Fl_Double_Window(475, 330, "Filter") {
  color(kSilver);
  auto* label1 = new Fl_Box(32, 16, 200, 16, "Filter by:");
  label1->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  label1->labelfont(FL_HELVETICA_BOLD);
  label1->labelsize(12);
  criterion_ = new Fl_Choice(32, 32, 409, 24);
  criterion_->textsize(12);
  criterion_->callback([](Fl_Widget*, void* d) { static_cast<TD_filter*>(d)->FillValues(); }, this);
  auto* label2 = new Fl_Box(32, 88, 200, 16, "Selected values:");
  label2->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  label2->labelfont(FL_HELVETICA_BOLD);
  label2->labelsize(12);
  values_ = new Fl_Check_Browser(32, 104, 409, 161);
  values_->textsize(12);
  auto* bar = new Fl_Group(0, 289, 475, 41);
  bar->box(FL_DOWN_BOX);
  bar->color(kSilver);
  auto* reset = new VxButton(16, 300, 81, 25, "Reset");
  reset->callback([](Fl_Widget*, void* d) { static_cast<TD_filter*>(d)->SB_resetClick(); }, this);
  auto* apply = new VxButton(300, 300, 81, 25, "Apply");
  apply->callback([](Fl_Widget*, void* d) { static_cast<TD_filter*>(d)->SB_filterClick(); }, this);
  auto* cancel = new VxButton(385, 300, 81, 25, "Cancel");
  cancel->callback([](Fl_Widget*, void* d) { static_cast<TD_filter*>(d)->SB_cancelClick(); }, this);
  bar->end();
  end();
  resizable(nullptr);  // a fixed dialog
  ui::ScaleWidgetTree(*this);
  Fl::set_labeltype(kCriterionLabel, DrawCriterion, MeasureCriterion);
  callback([](Fl_Widget*, void* d) { static_cast<TD_filter*>(d)->SB_cancelClick(); }, this);
}

void TD_filter::ScanDocument(const TKelPigger& description) {
  try {
    index_.ScanDocument(description);
  } catch (const std::exception&) {
    // The lists stay as far as they were filled.
  }
  criteria_ = index_.Criteria();
  items_.assign(criteria_.size() + 1, Fl_Menu_Item{});
  for (size_t item = 0; item < criteria_.size(); ++item) {
    items_[item].text = criteria_[item].c_str();
    items_[item].labeltype_ = kCriterionLabel;
    items_[item].labelsize_ = Scaled(kItemTextSize);
  }
  criterion_->menu(items_.data());
  criterion_->value(0);
  choice_.criterion = criteria_.front();
  FillValues();
}

void TD_filter::FillValues() {
  values_->clear();
  const int selected = criterion_->value();
  if (selected < 0 || selected >= static_cast<int>(criteria_.size())) return;
  for (const std::string& value : index_.ValuesFor(criteria_[static_cast<size_t>(selected)])) {
    values_->add(value.c_str());
  }
  values_->redraw();
}

void TD_filter::SelectCriterion(const std::string& criterion) {
  auto it = std::find(criteria_.begin(), criteria_.end(), criterion);
  if (it == criteria_.end()) return;
  criterion_->value(static_cast<int>(it - criteria_.begin()));
  FillValues();
}

void TD_filter::SetChecked(const std::string& value, bool checked) {
  for (int row = 1; row <= values_->nitems(); ++row) {
    if (value == values_->text(row)) values_->checked(row, checked);
  }
}

void TD_filter::ReadChecks() {
  const int selected = criterion_->value();
  choice_.criterion = selected >= 0 && selected < static_cast<int>(criteria_.size())
                          ? criteria_[static_cast<size_t>(selected)]
                          : std::string();
  choice_.checked.clear();
  for (int row = 1; row <= values_->nitems(); ++row) {
    if (values_->checked(row)) choice_.checked.emplace_back(values_->text(row));
  }
}

bool TD_filter::Execute() {
  changed_ = false;
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return changed_;
}

void TD_filter::SB_filterClick() {
  ReadChecks();
  choice_.active = true;
  changed_ = true;
  hide();
}

void TD_filter::SB_resetClick() {
  ReadChecks();
  choice_.active = false;
  changed_ = true;
  hide();
}

void TD_filter::SB_cancelClick() { hide(); }

bool TD_filter::Passes(const TKelPigger& frame) const { return index_.Passes(frame, choice_); }

}  // namespace vx::viewer
