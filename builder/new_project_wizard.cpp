#include "new_project_wizard.h"

#include <FL/fl_draw.H>

#include <algorithm>
#include <filesystem>

#include "pictures.h"
#include "platform/current_folder.h"
#include "ui/scaled_layout.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 380;
constexpr int kTextSize = 12;
constexpr int kHeadingSize = 16;
constexpr int kMinQuality = 10;
constexpr int kMaxQuality = 100;
const Fl_Color kHeadingColor = fl_rgb_color(128, 64, 64);

// Every page lies on a gradient from the button face at the top to mid grey at the bottom.
// The whole page is painted each time, so labels over it never leave traces.
class GradientPage : public Fl_Group {
 public:
  GradientPage(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {}

 protected:
  void draw() override {
    uchar r, g, b;
    Fl::get_color(FL_BACKGROUND_COLOR, r, g, b);
    const int rows = h() > 1 ? h() - 1 : 1;
    for (int row = 0; row < h(); ++row) {
      auto mix = [&](uchar top) { return static_cast<uchar>(top + (128 - top) * row / rows); };
      fl_color(mix(r), mix(g), mix(b));
      fl_xyline(x(), y() + row, x() + w() - 1);
    }
    for (int index = 0; index < children(); ++index) {
      draw_child(*child(index));
      draw_outside_label(*child(index));
    }
  }
};

template <typename T>
T* Sized(T* widget) {
  widget->labelsize(kTextSize);
  return widget;
}

Fl_Box* Text(int x, int y, int w, int h, const char* text) {
  auto* box = Sized(new Fl_Box(x, y, w, h, text));
  box->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  return box;
}

// A framed group of radio buttons with its caption on the frame.
Fl_Group* RadioGroup(int x, int y, int w, int h, const char* caption) {
  auto* group = Sized(new Fl_Group(x, y, w, h, caption));
  group->box(FL_ENGRAVED_FRAME);
  group->align(FL_ALIGN_TOP_LEFT);
  return group;
}

Fl_Round_Button* Radio(int x, int y, int w, const char* caption) {
  auto* radio = Sized(new Fl_Round_Button(x, y, w, 24, caption));
  radio->type(FL_RADIO_BUTTON);
  return radio;
}

template <void (TW_new_prj::*handler)()>
void Forward(Fl_Widget* widget, void*) {
  (static_cast<TW_new_prj*>(widget->window())->*handler)();
}

}  // namespace

TW_new_prj::TW_new_prj(TDmsg& msg) : TP_wizard(kWidth, kHeight, "New project"), msg_(msg) {
  {
    Fl_Group* page = AddHeadedPage("New Graphic Archive");
    auto* picture = new Fl_Box(16, 48, 48, 48);
    picture->image(PictureOf(Picture::NewProject));
    Text(76, 48, 408, 200,
         "This wizard collects some information \n"
         "the program needs to make new graphic archive.\n"
         "\n"
         "This information will be saved as an arhive project \n"
         "and can be chanded any time. \n"
         "\n"
         "You can skip this wizard if you prefer to make archive \n"
         "using  toolbuttons or options of main menu.");
    page->end();
  }
  {
    Fl_Group* page = AddHeadedPage("Kind of graphic archive ");
    Fl_Group* kinds = RadioGroup(16, 64, 468, 100, "Output file type");
    constexpr const char* kKinds[] = {"Zorvane (Executable file)", "Zorvane (ZIP enveloped)",
                                      "Simple ZIP archive of JPEG files"};
    for (size_t kind = 0; kind < kinds_.size(); ++kind) {
      kinds_[kind] = Radio(32, 74 + static_cast<int>(kind) * 28, 420, kKinds[kind]);
      kinds_[kind]->callback(Forward<&TW_new_prj::RG_kindClick>);
    }
    kinds->end();
    kinds_[0]->setonly();
    hint_ = new Fl_Group(16, 176, 468, 48);
    Text(16, 176, 468, 20, "If you've never seen ZRV before download free examples from");
    auto* link = new ui::LinkText(16, 198, 140, 20);
    link->text = ui::kMakerPage;
    hint_->end();
    page->end();
  }
  {
    Fl_Group* page = AddHeadedPage("List of the files to be added to the archive");
    Text(16, 38, 468, 18, "(To add more then on file use Ctrl and Shift in the open file dialog)");
    source_ = new TOW_source(16, 62, 468, 266);
    page->end();
  }
  {
    Fl_Group* page = AddHeadedPage("Destination file");
    Text(16, 64, 300, 18, "The archive file");
    file_ = new Fl_Input(16, 84, 424, 24);
    file_->textsize(kTextSize);
    browse_ = Sized(new Fl_Button(446, 84, 38, 24, "..."));
    browse_->callback(Forward<&TW_new_prj::SB_dstClick>);
    page->end();
  }
  {
    qualityPage_ = AddHeadedPage("Compression");
    Fl_Group* frame = RadioGroup(16, 64, 468, 120, "JPEG compression");
    quality_ = new Fl_Slider(32, 80, 436, 26);
    quality_->type(FL_HOR_NICE_SLIDER);
    quality_->box(FL_FLAT_BOX);
    quality_->bounds(kMinQuality, kMaxQuality);
    quality_->step(1);
    quality_->callback(Forward<&TW_new_prj::TrackBar2Change>);
    Text(32, 110, 200, 18, "<< Size compression");
    Text(268, 110, 200, 18, "Picture Quality >>")->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
    Text(32, 148, 100, 20, "Current Quality:")->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
    qualityValue_ = Sized(new Fl_Box(134, 148, 30, 20));
    qualityValue_->labelcolor(FL_RED);
    qualityValue_->labelfont(FL_HELVETICA_BOLD);
    qualityValue_->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
    Text(166, 148, 20, 20, "%");
    frame->end();
    qualityPage_->end();
  }
  {
    Fl_Group* page = AddHeadedPage("Ready to make new graphic archive");
    Fl_Group* finish = RadioGroup(16, 64, 468, 76, "Finish");
    finish_[0] = Radio(32, 76, 440, "EASY: Make archive, save the project and exit ");
    finish_[1] = Radio(32, 104, 440, "ADVANCED: Continue for more features");
    for (Fl_Round_Button* radio : finish_) radio->callback(Forward<&TW_new_prj::RadioGroup1Click>);
    finish->end();
    finish_[1]->setonly();
    run_ = Sized(new Fl_Check_Button(32, 152, 300, 24, "Run ZRV after exit"));
    page->end();
  }
  ui::ScaleWidgetTree(*this);
  FormCreate();
  quality_->value(kMaxQuality);
  TrackBar2Change();
  RG_kindClick();
}

Fl_Group* TW_new_prj::NewPage(int x, int y, int w, int h) { return new GradientPage(x, y, w, h); }

Fl_Group* TW_new_prj::AddHeadedPage(const char* heading) {
  Fl_Group* page = AddPage();
  auto* title = new Fl_Box(16, 12, kWidth - 32, 19, heading);
  title->labelfont(FL_HELVETICA_BOLD);
  title->labelsize(kHeadingSize);
  title->labelcolor(kHeadingColor);
  title->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return page;
}

bool TW_new_prj::RunWizard() {
  ShowPage(WelcomePage);
  return TP_wizard::RunWizard();
}

OutputKind TW_new_prj::Kind() const {
  for (size_t kind = 0; kind < kinds_.size(); ++kind) {
    if (kinds_[kind]->value()) return static_cast<OutputKind>(kind);
  }
  return kExecutableKind;
}

void TW_new_prj::RG_kindClick() {
  const OutputKind kind = Kind();
  file_->value(WithArchiveExtension(file_->value(), kind).c_str());
  const std::string extension = ArchiveExtensionOf(kind);
  destination_.filter =
      kind == kExecutableKind ? "Executable\t*" + extension : std::string("ZIP\t*.zip");
  destination_.extension = extension;
  destination_.folder = Inputs.outputFolder;
  if (kind == kJpegZipKind) {
    hint_->hide();
  } else {
    hint_->show();
  }
  hint_->parent()->redraw();
  RadioGroup1Click();
}

void TW_new_prj::RadioGroup1Click() {
  if (EasyChosen() && Kind() == kExecutableKind) {
    run_->activate();
    run_->value(1);
  } else {
    run_->value(0);
    run_->deactivate();
  }
  run_->parent()->redraw();
}

void TW_new_prj::SB_dstClick() {
  {
    const KeepCurrentFolder keep;
    ui::FileChoice choice = destination_;
    // The dialog starts at the file in the edit: in its folder when it has one.
    const std::filesystem::path current = file_->value();
    if (current.has_parent_path()) choice.folder = current.parent_path().string();
    choice.name = current.filename().string();
    choice.title = "The archive file";
    if (const auto chosen = ui::CurrentDialogs().ChooseFileToSave(choice))
      file_->value(chosen->c_str());
  }
  RG_kindClick();
}

void TW_new_prj::TrackBar2Change() {
  qualityText_ = std::to_string(static_cast<int>(quality_->value()));
  qualityValue_->label(qualityText_.c_str());
  qualityPage_->redraw();
}

void TW_new_prj::PrepareWizard() {
  file_->value(Inputs.outputFile.c_str());
  // The proposed name gets the kind's extension, kept from the last run, so the file named is
  // the file made.
  RG_kindClick();
  source_->PictureFolder = Inputs.sourceFolder;
  quality_->value(std::clamp(Inputs.jpegQuality, kMinQuality, kMaxQuality));
  TrackBar2Change();
}

bool TW_new_prj::CanLeavePage(int page, bool forward) {
  if (!forward) return true;
  if (page == PicturesPage && source_->Count() == 0) {
    msg_.ShowText("No files to add to arhive.");
    return false;
  }
  if (page == DestinationPage && !NamesAFile(file_->value())) {
    msg_.ShowText("No output file deffined.");
    return false;
  }
  return true;
}

bool TW_new_prj::CollectResult() {
  NewProject project;
  project.kind = Kind();
  project.outputFile = file_->value();
  project.jpegQuality = static_cast<int>(quality_->value());
  project.sources = source_->List().Entries();
  FillWizardResult(Result(), project);
  return true;
}

}  // namespace vx::builder
