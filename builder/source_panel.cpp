#include "source_panel.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <filesystem>

#include "formats/picture_file.h"
#include "formats/picture_preview.h"
#include "platform/current_folder.h"
#include "platform/ui_scale.h"
#include "ui/dialogs.h"
#include "ui/draw_bitmap.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;
// The preview keeps this much of the box free around the picture.
constexpr int kPreviewMargin = 8;
constexpr int kHatchStep = 8;

// A list whose double click is a command of its own.
class SourceBrowser : public Fl_Hold_Browser {
 public:
  SourceBrowser(int x, int y, int w, int h) : Fl_Hold_Browser(x, y, w, h) {}
  std::function<void()> onDoubleClick;

 protected:
  int handle(int event) override {
    const int handled = Fl_Hold_Browser::handle(event);
    if (event == FL_PUSH && Fl::event_clicks() > 0 && Fl::event_button() == FL_LEFT_MOUSE &&
        onDoubleClick) {
      Fl::event_clicks(0);
      onDoubleClick();
    }
    return handled;
  }
};

template <typename T>
T* Sized(T* widget) {
  widget->labelsize(kTextSize);
  return widget;
}

TOW_source& PanelOf(Fl_Widget* widget) { return *static_cast<TOW_source*>(widget->parent()); }

}  // namespace

void PreviewBox::draw() {
  fl_push_clip(x(), y(), w(), h());
  if (solid) {
    fl_rectf(x(), y(), w(), h(), FL_BLACK);
  } else {
    fl_rectf(x(), y(), w(), h(), FL_BACKGROUND_COLOR);
    fl_color(FL_WHITE);
    const int step = Scaled(kHatchStep);
    for (int d = -h(); d < w(); d += step) fl_line(x() + d, y() + h(), x() + d + h(), y());
  }
  if (picture && !picture->Empty()) {
    ui::DrawBitmap(*picture, x() + (w() - picture->Width()) / 2,
                   y() + (h() - picture->Height()) / 2);
  }
  fl_pop_clip();
}

TOW_source::TOW_source(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  path_ = new Fl_Output(x, y, w, 22);
  path_->textsize(kTextSize);
  path_->box(FL_FLAT_BOX);
  auto* files = new SourceBrowser(x, y + 28, 220, h - 28);
  files->textsize(kTextSize);
  files->when(FL_WHEN_CHANGED);
  files->callback([](Fl_Widget* widget, void*) { PanelOf(widget).ActiveItemChanged(); });
  files->onDoubleClick = [this] { SB_srcfileClick(); };
  files_ = files;
  auto button = [&](int top, const char* caption, Fl_Callback* handler) {
    auto* made = Sized(new Fl_Button(x + 228, top, 64, 24, caption));
    made->callback(handler);
    return made;
  };
  add_ = button(y + 28, "Add", [](Fl_Widget* widget, void*) { PanelOf(widget).SB_srcfileClick(); });
  del_ = button(y + 56, "Del", [](Fl_Widget* widget, void*) { PanelOf(widget).SB_delClick(); });
  up_ =
      button(y + 84, "Up", [](Fl_Widget* widget, void*) { PanelOf(widget).SB_up_dn_Click(true); });
  down_ = button(y + 112, "Down",
                 [](Fl_Widget* widget, void*) { PanelOf(widget).SB_up_dn_Click(false); });
  preview_ = Sized(new Fl_Check_Button(x + 228, y + 148, 68, 22, "Preview"));
  preview_->value(1);
  preview_->callback([](Fl_Widget* widget, void*) { PanelOf(widget).ActiveItemChanged(); });
  box_ = new PreviewBox(x + 300, y + 28, w - 300, h - 28);
  end();
  resizable(nullptr);
  UpdateButtons();
}

void TOW_source::SB_srcfileClick() {
  ui::FileChoice choice;
  choice.title = "Add pictures";
  choice.filter = PictureFilePattern();
  choice.folder = PictureFolder;
  choice.multiple = true;
  std::vector<std::string> chosen;
  {
    const KeepCurrentFolder keep;
    chosen = ui::CurrentDialogs().ChooseFilesToOpen(choice);
  }
  if (list_.Add(chosen) > 0) ShowList();
  UpdateButtons();
}

void TOW_source::SB_delClick() {
  if (!list_.CanDelete()) return;
  list_.DeleteSelected();
  ShowList();
  ActiveItemChanged();
}

void TOW_source::SB_up_dn_Click(bool up) {
  list_.MoveSelected(up);
  ShowList();
  UpdateButtons();
}

void TOW_source::ActiveItemChanged() {
  list_.Select(files_->value() - 1);
  const int selected = list_.Selected();
  path_->value(list_.Entry(selected).c_str());
  box_->solid = preview_->value() && selected >= 0;
  SetPicture(nullptr);
  if (box_->solid) {
    const std::string path = list_.Entry(selected);
    const Size size{box_->w() - kPreviewMargin, box_->h() - kPreviewMargin};
    // Read on a worker, so a large picture never holds up the window; the latest click wins.
    reader_.Start([this, path, size]() -> std::function<void()> {
      std::shared_ptr<const Bitmap> picture;
      try {
        picture = std::make_shared<const Bitmap>(LoadPicturePreview(path, size));
      } catch (const std::exception&) {
        // A picture that cannot be read hides the preview.
      }
      return [this, picture] { SetPicture(picture); };
    });
  } else {
    reader_.Cancel();
  }
  if (Fl_Window* shown = window())
    shown->cursor(reader_.Busy() ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
  UpdateButtons();
}

void TOW_source::SetPicture(std::shared_ptr<const Bitmap> picture) {
  box_->picture = std::move(picture);
  box_->redraw();
  if (Fl_Window* shown = window(); shown && !reader_.Busy()) shown->cursor(FL_CURSOR_DEFAULT);
}

void TOW_source::UpdateButtons() {
  auto enable = [](Fl_Widget* widget, bool on) { on ? widget->activate() : widget->deactivate(); };
  enable(del_, list_.CanDelete());
  enable(up_, list_.CanMoveUp());
  enable(down_, list_.CanMoveDown());
}

void TOW_source::ShowList() {
  files_->clear();
  for (const std::string& entry : list_.Entries()) {
    const std::string name = std::filesystem::path(entry).filename().string();
    // The browser reads '@' at the start of a line as a format code.
    files_->add(name.starts_with('@') ? ("@." + name).c_str() : name.c_str());
  }
  files_->value(list_.Selected() + 1);
}

}  // namespace vx::builder
