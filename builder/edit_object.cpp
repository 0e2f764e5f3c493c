#include "edit_object.h"

#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Repeat_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "img_frame.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;
constexpr int kMinSize = 20, kMaxSize = 10000;

Fl_Color ToFlColor(Color color) {
  return fl_rgb_color(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int ReadSize(const char* text) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text) return kMinSize;
  if (errno == ERANGE) return value < 0 ? kMinSize : kMaxSize;
  return static_cast<int>(std::clamp<long>(value, kMinSize, kMaxSize));
}

// Corrects its text to the allowed range when the focus leaves it.
class SizeInput : public Fl_Int_Input {
 public:
  using Fl_Int_Input::Fl_Int_Input;
  int handle(int event) override {
    if (event == FL_UNFOCUS) value(std::to_string(ReadSize(value())).c_str());
    return Fl_Int_Input::handle(event);
  }
};

}  // namespace

class ColorSwatch : public Fl_Widget {
 public:
  ColorSwatch(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) { box(FL_DOWN_BOX); }
  Color Value() const { return value_; }
  void SetValue(Color value) {
    value_ = value & 0xFFFFFF;
    color(ToFlColor(value_));
    redraw();
  }
  // Through the dialogs seam: the chooser starts at the swatch's colour.
  void Choose() {
    if (const auto chosen = ui::CurrentDialogs().ChooseColor("Color", value_)) SetValue(*chosen);
  }

 protected:
  void draw() override { draw_box(); }
  int handle(int event) override {
    if (event == FL_PUSH) return 1;
    if (event == FL_RELEASE && Fl::event_inside(this)) {
      Choose();
      return 1;
    }
    return Fl_Widget::handle(event);
  }

 private:
  Color value_ = 0;
};

SpinEdit::SpinEdit(int x, int y, int w, int h, const char* label) : Fl_Group(x, y, w, h, label) {
  align(FL_ALIGN_LEFT);
  labelsize(kTextSize);
  const int button = h * 3 / 4;
  input_ = new SizeInput(x, y, w - button, h);
  input_->textsize(kTextSize);
  auto step = [](Fl_Widget* widget, void* delta) {
    auto* spin = static_cast<SpinEdit*>(widget->parent());
    spin->SetValue(spin->Value() + static_cast<int>(reinterpret_cast<intptr_t>(delta)));
  };
  auto* up = new Fl_Repeat_Button(x + w - button, y, button, h / 2, "@-18>");
  up->callback(step, reinterpret_cast<void*>(intptr_t{1}));
  auto* down = new Fl_Repeat_Button(x + w - button, y + h / 2, button, h - h / 2, "@-12>");
  down->callback(step, reinterpret_cast<void*>(intptr_t{-1}));
  end();
}

int SpinEdit::Value() const { return ReadSize(input_->value()); }

void SpinEdit::SetValue(int value) {
  input_->value(std::to_string(std::clamp(value, kMinSize, kMaxSize)).c_str());
}

TF_edit_obj::TF_edit_obj() : Fl_Double_Window(567, 267, "Edit object") {
  kind_ = new Fl_Choice(112, 12, 220, 24, "Object type:");
  kind_->labelsize(kTextSize);
  kind_->textsize(kTextSize);
  kind_->add("Cloud");
  kind_->add("Arrow");
  kind_->add("Password protected area");
  kind_->value(0);
  kind_->callback([](Fl_Widget* widget, void*) {
    static_cast<TF_edit_obj*>(widget->window())->CB_ptr_typeChange();
  });
  text_ = new Fl_Input(112, 44, 443, 24, "Label text:");
  text_->labelsize(kTextSize);
  text_->textsize(kTextSize);

  constexpr int kGroupX = 12, kGroupY = 96, kGroupW = 300, kGroupH = 112;
  direction_ = new Fl_Group(kGroupX, kGroupY, kGroupW, kGroupH, "Direction");
  direction_->box(FL_ENGRAVED_FRAME);
  direction_->align(FL_ALIGN_TOP_LEFT);
  direction_->labelsize(kTextSize);
  // Two pairs of radio buttons: each pair chooses within its own group.
  auto* horizontal = new Fl_Group(kGroupX + 8, kGroupY + 8, 136, 96);
  l2r_ = new Fl_Round_Button(kGroupX + 12, kGroupY + 16, 130, 24, "Left to right");
  r2l_ = new Fl_Round_Button(kGroupX + 12, kGroupY + 48, 130, 24, "Right to left");
  horizontal->end();
  auto* vertical = new Fl_Group(kGroupX + 152, kGroupY + 8, 140, 96);
  t2b_ = new Fl_Round_Button(kGroupX + 156, kGroupY + 16, 130, 24, "Up position");
  b2t_ = new Fl_Round_Button(kGroupX + 156, kGroupY + 48, 130, 24, "Down position");
  vertical->end();
  for (Fl_Round_Button* radio : {l2r_, r2l_, t2b_, b2t_}) {
    radio->type(FL_RADIO_BUTTON);
    radio->labelsize(kTextSize);
  }
  r2l_->setonly();
  t2b_->setonly();
  direction_->end();

  // At the same place: only one of the two groups shows at a time.
  size_ = new Fl_Group(kGroupX, kGroupY, kGroupW, kGroupH, "Area size");
  size_->box(FL_ENGRAVED_FRAME);
  size_->align(FL_ALIGN_TOP_LEFT);
  size_->labelsize(kTextSize);
  width_ = new SpinEdit(kGroupX + 70, kGroupY + 20, 100, 24, "Width");
  height_ = new SpinEdit(kGroupX + 70, kGroupY + 60, 100, 24, "Height");
  width_->SetValue(200);
  height_->SetValue(100);
  size_->end();

  auto* groupBox1 = new Fl_Group(324, kGroupY, 231, kGroupH, "Colors");
  groupBox1->box(FL_ENGRAVED_FRAME);
  groupBox1->align(FL_ALIGN_TOP_LEFT);
  groupBox1->labelsize(kTextSize);
  constexpr const char* kButtons[] = {"<< Text", "<< Pen", "<< Brush"};
  for (int index = 0; index < 3; ++index) {
    const int y = kGroupY + 12 + index * 32;
    swatches_[static_cast<size_t>(index)] = new ColorSwatch(340, y, 60, 24);
    auto* button = new Fl_Button(412, y, 90, 24, kButtons[index]);
    button->labelsize(kTextSize);
    button->callback([](Fl_Widget*, void* swatch) { static_cast<ColorSwatch*>(swatch)->Choose(); },
                     swatches_[static_cast<size_t>(index)]);
    swatchButtons_[static_cast<size_t>(index)] = button;
  }
  groupBox1->end();

  ok_ = new Fl_Button(379, 228, 84, 28, "Ok");
  ok_->labelsize(kTextSize);
  ok_->callback(
      [](Fl_Widget* widget, void*) { static_cast<TF_edit_obj*>(widget->window())->btn_okClick(); });
  cancel_ = new Fl_Button(471, 228, 84, 28, "Cancel");
  cancel_->labelsize(kTextSize);
  cancel_->callback([](Fl_Widget* widget, void*) { widget->window()->hide(); });
  end();
  set_modal();
  CB_ptr_typeChange();
  ui::ScaleWidgetTree(*this);
}

Fl_Widget& TF_edit_obj::Swatch(int index) { return *swatches_[static_cast<size_t>(index)]; }

Color TF_edit_obj::SwatchColor(int index) const {
  return swatches_[static_cast<size_t>(index)]->Value();
}

void TF_edit_obj::CB_ptr_typeChange() {
  const int kind = kind_->value() + 1;
  if (kind == 1) {
    t2b_->show();
    b2t_->show();
  } else {
    t2b_->hide();
    b2t_->hide();
  }
  if (kind == 1 || kind == 2)
    direction_->show();
  else
    direction_->hide();
  if (kind == 3)
    size_->show();
  else
    size_->hide();
  redraw();
}

void TF_edit_obj::btn_okClick() {
  confirmed_ = true;
  hide();
}

std::optional<PointerProperties> TF_edit_obj::Edit(const PointerProperties& pointer) {
  if (pointer.kind >= 1 && pointer.kind <= 3) kind_->value(pointer.kind - 1);
  text_->value(pointer.label.c_str());
  (pointer.leftToRight ? l2r_ : r2l_)->setonly();
  (pointer.bottomToTop ? b2t_ : t2b_)->setonly();
  if (pointer.kind == 3) {
    width_->SetValue(pointer.areaWidth);
    height_->SetValue(pointer.areaHeight);
  }
  swatches_[0]->SetValue(pointer.text);
  swatches_[1]->SetValue(pointer.pen);
  swatches_[2]->SetValue(pointer.brush);
  CB_ptr_typeChange();
  confirmed_ = false;
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  if (!confirmed_) return std::nullopt;
  PointerProperties edited = pointer;
  edited.kind = kind_->value() + 1;
  edited.leftToRight = l2r_->value() != 0;
  edited.bottomToTop = b2t_->value() != 0;
  edited.areaWidth = width_->Value();
  edited.areaHeight = height_->Value();
  edited.text = SwatchColor(0);
  edited.pen = SwatchColor(1);
  edited.brush = SwatchColor(2);
  edited.label = text_->value();
  return edited;
}

bool TF_edit_obj::EditPointer(TO_img_frame& frame, TMhint& pointer) {
  const std::optional<PointerProperties> edited = Edit(pointer.Properties());
  if (!edited) return false;
  frame.EditPointer(pointer, *edited, true);
  return true;
}

}  // namespace vx::builder
