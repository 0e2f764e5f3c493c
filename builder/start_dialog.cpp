#include "start_dialog.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include "pictures.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kSilver = 192;
constexpr int kTextSize = 12;

// A picture that chooses its choice when clicked.
class ChoicePicture : public ui::Clickable {
 public:
  ChoicePicture(int x, int y, int w, int h) : Clickable(x, y, w, h) {}

 protected:
  // Drawn on the panel's white each time, so the picture's soft edges are not drawn twice.
  void draw() override {
    fl_rectf(x(), y(), w(), h(), FL_WHITE);
    draw_label();
  }
};

}  // namespace

TFstart::TFstart() : Fl_Double_Window(400, 250, "Start") {
  constexpr const char* kCaptions[] = {"Create new archive project",
                                       "Open an existing archive project",
                                       "Open the last edited archive project"};
  constexpr Picture kPictures[] = {Picture::NewProject, Picture::OpenProject, Picture::LastProject};
  for (int choice = 0; choice < 3; ++choice) {
    const int y = 16 + choice * 64;
    // Radio buttons choose among their siblings: the panels lie under them, not around them.
    auto* panel = new Fl_Box(16, y, 368, 52);
    panel->box(FL_FLAT_BOX);
    panel->color(FL_WHITE);
    auto* picture = new ChoicePicture(26, y + 6, 40, 40);
    picture->image(builder::PictureOf(kPictures[choice]));
    picture->callback(
        [](Fl_Widget* widget, void* data) {
          static_cast<TFstart*>(widget->window())
              ->one_click_start(static_cast<int>(reinterpret_cast<intptr_t>(data)));
        },
        reinterpret_cast<void*>(static_cast<intptr_t>(choice)));
    pictures_[static_cast<size_t>(choice)] = picture;
    auto* radio = new Fl_Round_Button(80, y + 14, 296, 24, kCaptions[choice]);
    radio->type(FL_RADIO_BUTTON);
    radio->labelfont(FL_HELVETICA_BOLD);
    radio->labelsize(kTextSize);
    radios_[static_cast<size_t>(choice)] = radio;
  }
  // The last project's picture turns grey while that choice is disabled.
  disabledLast_.reset(builder::PictureOf(Picture::LastProject).copy());
  disabledLast_->inactive();
  pictures_[LastProject]->deimage(disabledLast_.get());
  radios_[NewProject]->setonly();

  start_ = new Fl_Button(296, 212, 88, 26, "Start");
  start_->labelfont(FL_HELVETICA_BOLD);
  start_->labelsize(kTextSize);
  start_->callback(
      [](Fl_Widget* w, void*) { static_cast<TFstart*>(w->window())->Btn_closeClick(); });
  end();
  // Closed another way: nothing was chosen.
  callback([](Fl_Widget* w, void*) {
    auto* dialog = static_cast<TFstart*>(w);
    dialog->result_ = NewProject;
    dialog->hide();
  });
  ui::ScaleWidgetTree(*this);
}

TFstart::~TFstart() = default;

int TFstart::Execute(bool lastProjectKnown) {
  for (Fl_Widget* widget : {static_cast<Fl_Widget*>(radios_[LastProject]),
                            static_cast<Fl_Widget*>(pictures_[LastProject])}) {
    if (lastProjectKnown) {
      widget->activate();
    } else {
      widget->deactivate();
    }
  }
  if (!lastProjectKnown && radios_[LastProject]->value()) radios_[NewProject]->setonly();
  result_ = NewProject;
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return result_;
}

int TFstart::Chosen() const {
  for (int choice : {OpenProject, LastProject}) {
    if (radios_[static_cast<size_t>(choice)]->value() &&
        radios_[static_cast<size_t>(choice)]->active())
      return choice;
  }
  return NewProject;
}

void TFstart::Btn_closeClick() {
  result_ = Chosen();
  hide();
}

void TFstart::one_click_start(int choice) {
  Fl_Round_Button& radio = *radios_[static_cast<size_t>(choice)];
  if (!radio.active()) return;
  radio.setonly();
  Btn_closeClick();
}

void TFstart::draw() {
  // The gradient under everything; the choices' white panels and the button draw over it.
  // When only a child changed, the rest of the picture is still there.
  if ((damage() & ~FL_DAMAGE_CHILD) == 0) {
    draw_children();
    return;
  }
  const int width = w();
  for (int column = 0; column < width; ++column) {
    const int level = 255 - (255 - kSilver) * column / (width > 1 ? width - 1 : 1);
    fl_color(static_cast<uchar>(level), static_cast<uchar>(level), static_cast<uchar>(level));
    fl_yxline(column, 0, h() - 1);
  }
  draw_children();
}

}  // namespace vx::builder
