#include "project_properties_dialog.h"

#include <FL/fl_draw.H>

#include <filesystem>

#include "pictures.h"
#include "platform/current_folder.h"
#include "platform/desktop.h"
#include "platform/ui_scale.h"
#include "text/trim.h"
#include "ui/dialogs.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 500, kHeight = 440, kTextSize = 12;
constexpr int kPageTop = 32, kPageHeight = kHeight - 41 - 8 - kPageTop;
constexpr int kDefaultDiameter = 170;
constexpr const char* kKindNames[kOutputKindCount] = {
    "Zorvane (Executable file)", "Zorvane (ZIP enveloped)", "Simple ZIP archive of JPEG files"};

template <void (TF_edit_prj::*Method)()>
void Call(Fl_Widget* widget, void*) {
  Fl_Window* window = widget->window();
  (static_cast<TF_edit_prj*>(window)->*Method)();
}

template <typename T>
T* Sized(T* widget) {
  widget->labelsize(kTextSize);
  return widget;
}

Fl_Input* Edit(int x, int y, int w, const char* caption) {
  auto* edit = Sized(new Fl_Input(x, y, w, 24, caption));
  edit->textsize(kTextSize);
  edit->align(FL_ALIGN_TOP_LEFT);
  return edit;
}

Fl_Box* Text(int x, int y, int w, const char* caption, Fl_Align align = FL_ALIGN_LEFT) {
  auto* box = Sized(new Fl_Box(x, y, w, 20, caption));
  box->align(align | FL_ALIGN_INSIDE);
  return box;
}

Fl_Box* RedValue(int x, int y) {
  auto* box = Text(x, y, 30, nullptr, FL_ALIGN_RIGHT);
  box->labelcolor(FL_RED);
  box->labelfont(FL_HELVETICA_BOLD);
  return box;
}

Fl_Group* Frame(int x, int y, int w, int h, const char* caption) {
  auto* frame = Sized(new Fl_Group(x, y, w, h, caption));
  frame->box(FL_ENGRAVED_FRAME);
  frame->align(FL_ALIGN_TOP_LEFT);
  return frame;
}

Fl_Group* PageGroupOf(const char* caption) {
  return Sized(new Fl_Group(8, kPageTop, kWidth - 16, kPageHeight, caption));
}

}  // namespace

void LensCircle::SetCircle(int diameter, Color color) {
  diameter_ = diameter;
  color_ = color;
  redraw();
}

void LensCircle::draw() {
  draw_box();
  const int d = Scaled(diameter_);
  fl_color(fl_rgb_color(color_ & 0xFF, (color_ >> 8) & 0xFF, (color_ >> 16) & 0xFF));
  fl_line_style(FL_SOLID, Scaled(2));
  fl_arc(x() + (w() - d) / 2, y() + (h() - d) / 2, d, d, 0, 360);
  fl_line_style(0);
}

TF_edit_prj::TF_edit_prj(TF_picture_mgm& pictures)
    : TP_dataform(kWidth, kHeight, "Archive Project Properties"), pictures_(pictures) {
  pages_ = Sized(new Fl_Tabs(8, 8, kWidth - 16, kPageTop - 8 + kPageHeight));

  auto* archive = pageGroups_[0] = PageGroupOf("Archive file");
  outputFile_ = Edit(20, 60, 414, "Output filename");
  SB_output_file_ = Sized(new Fl_Button(440, 60, 40, 24, "..."));
  SB_output_file_->callback(Call<&TF_edit_prj::SB_output_fileClick>);
  RG1_ = Frame(20, 110, 460, 90, "Output file type");
  for (int kind = 0; kind < kOutputKindCount; ++kind) {
    auto* button = Sized(new Fl_Round_Button(32, 118 + kind * 24, 430, 24, kKindNames[kind]));
    button->type(FL_RADIO_BUTTON);
    button->callback(Call<&TF_edit_prj::RG1Click>);
    kinds_[static_cast<size_t>(kind)] = button;
  }
  RG1_->end();
  // The icon and the options of a plain ZIP share one place: only one is shown.
  constexpr int kAltTop = 222, kAltHeight = 160;
  iconGroup_ = Frame(20, kAltTop, 460, kAltHeight, "Archive File Icon");
  O_icon_choicer1_ = new TO_icon_choicer(32, kAltTop + 16);
  O_icon_choicer1_->OnMakeIcon([this] { O_icon_choicer1SB_make_iconClick(); });
  iconGroup_->end();
  optionsGroup_ = Frame(20, kAltTop, 460, kAltHeight, "Options:");
  Text(32, kAltTop + 14, 90, "JPEG quality:");
  optionsQuality_ = RedValue(122, kAltTop + 14);
  Text(154, kAltTop + 14, 20, "%");
  SB_jump2jpq_ = Sized(new Fl_Button(190, kAltTop + 12, 90, 24, "Change..."));
  SB_jump2jpq_->callback(Call<&TF_edit_prj::SB_jump2jpqClick>);
  pointersInZip_ = Sized(new Fl_Check_Button(32, kAltTop + 50, 430, 24,
                                             "Apply graphic pointers (if one) to the graphics"));
  optionsGroup_->end();
  archive->end();

  pageGroups_[1] = PageGroupOf("Magnifying glass");
  Text(20, 48, 140, "Default diameter (px):");
  diameterLabel_ = Text(160, 48, 40, nullptr);
  TrackBar1_ = new TrackBar(20, 72, 460, 34, kMinLensDiameter, kMaxLensDiameter, 10);
  TrackBar1_->value(kDefaultDiameter);
  TrackBar1_->callback(Call<&TF_edit_prj::TrackBar1Change>);
  circle_ = new LensCircle(20, 114, 330, 262);
  circle_->box(FL_DOWN_BOX);
  circle_->color(FL_WHITE);
  SB_MGcolor_ = Sized(new Fl_Button(360, 114, 120, 25, "Change color..."));
  SB_MGcolor_->callback(Call<&TF_edit_prj::SB_MGcolorClick>);
  pageGroups_[1]->end();

  pageGroups_[2] = PageGroupOf("Other");
  auto* compression = Frame(20, 62, 460, 150, "JPEG compression");
  TrackBar2_ = new TrackBar(32, 76, 436, 34, kMinQuality, kMaxQuality, 10);
  TrackBar2_->callback(Call<&TF_edit_prj::TrackBar2Change>);
  Text(32, 114, 200, "<< Size compression");
  Text(268, 114, 200, "Picture Quality >>", FL_ALIGN_RIGHT);
  Text(32, 160, 110, "Current Quality:");
  otherQuality_ = RedValue(142, 160);
  Text(174, 160, 20, "%");
  compression->end();
  pageGroups_[2]->end();

  pageGroups_[3] = PageGroupOf("Passworded areas");
  auto* picture = new Fl_Box(20, 52, 32, 32);
  picture->image(PictureOf(Picture::PasswordPage));
  password_ = Edit(64, 60, 416, "Password, required to see protected areas (if one)");
  Text(64, 94, 80, "Protection:");
  strong_ = Sized(new Fl_Round_Button(64, 112, 416, 22, "strong"));
  compatible_ = Sized(new Fl_Round_Button(
      64, 134, 416, 22, "compatible (readable by other implementations of the format)"));
  for (Fl_Round_Button* button : {strong_, compatible_}) button->type(FL_RADIO_BUTTON);
  auto* link = Frame(20, 180, 460, 120, "Link to webpage where the password can be got from:");
  linkText_ = Edit(96, 196, 372, nullptr);
  Sized(new Fl_Box(26, 196, 66, 24, "Link text:"))->align(FL_ALIGN_INSIDE | FL_ALIGN_RIGHT);
  linkText_->value("Click here to get the password");
  Sized(new Fl_Box(26, 228, 66, 24, "http://"))->align(FL_ALIGN_INSIDE | FL_ALIGN_RIGHT);
  linkAddress_ = Edit(96, 228, 372, nullptr);
  SB_pwd_url_ = Sized(new Fl_Button(96, 262, 120, 25, "Check the link"));
  SB_pwd_url_->callback(Call<&TF_edit_prj::SB_pwd_urlClick>);
  link->end();
  pageGroups_[3]->end();

  pages_->end();
  pages_->value(archive);
  EndForm();
  // FormCreate: the dialog starts on the first kind.
  SetKind(kExecutableKind);
  strong_->setonly();
  TrackBar1Change();
  TrackBar2_->value(65);
  TrackBar2Change();
}

TF_edit_prj::~TF_edit_prj() {
  // Pages the kind does not offer are out of the tabs, where the window would not delete them.
  for (Fl_Group* page : pageGroups_)
    if (page->parent() != pages_) delete page;
}

void TF_edit_prj::LoadText(const std::string& text) {
  TP_dataform::LoadText(text);
  const PropertyValues values = ReadPropertyValues(text);
  outputFile_->value(values.outputFile.c_str());
  circle_->SetCircle(circle_->Diameter(), values.lensColor);
  if (values.lensDiameter) TrackBar1_->value(*values.lensDiameter);
  TrackBar1Change();
  TrackBar2_->value(values.quality);
  TrackBar2Change();
  kinds_[static_cast<size_t>(values.kind)]->setonly();
  pointersInZip_->value(values.pointersInZip);
  try {
    O_icon_choicer1_->SetIconText(values.icon);
  } catch (const std::exception&) {
    // A project's icon that cannot be read leaves the one shown.
  }
  password_->value(values.password.c_str());
  linkText_->value(values.linkText.c_str());
  linkAddress_->value(values.linkAddress.c_str());
  (values.protection == Protection::Compatible ? compatible_ : strong_)->setonly();
  RG1Click();
}

void TF_edit_prj::StoreText() {
  PropertyValues values;
  values.outputFile = outputFile_->value();
  values.lensColor = circle_->CircleColor();
  values.lensDiameter = TrackBar1_->Position();
  values.quality = TrackBar2_->Position();
  values.kind = OutputKind();
  values.pointersInZip = pointersInZip_->value() != 0;
  values.icon = O_icon_choicer1_->GetIconText();
  values.password = password_->value();
  values.linkText = linkText_->value();
  values.linkAddress = linkAddress_->value();
  values.protection = compatible_->value() ? Protection::Compatible : Protection::Strong;
  resultText_ = PropertyValuesText(values);
}

int TF_edit_prj::OutputKind() const {
  for (int kind = 0; kind < kOutputKindCount; ++kind)
    if (kinds_[static_cast<size_t>(kind)]->value()) return kind;
  return kExecutableKind;
}

bool TF_edit_prj::Offers(Page page) const { return PageGroup(page).parent() == pages_; }

TF_edit_prj::Page TF_edit_prj::ActivePage() const {
  for (Page page : {Page::MagnifyingGlass, Page::Other, Page::PasswordedAreas})
    if (pages_->value() == &PageGroup(page)) return page;
  return Page::ArchiveFile;
}

void TF_edit_prj::SetActivePage(Page page) {
  pages_->value(Offers(page) ? &PageGroup(page) : &PageGroup(Page::ArchiveFile));
  pages_->redraw();
}

void TF_edit_prj::SetKind(int kind) {
  kinds_[static_cast<size_t>(kind)]->setonly();
  RG1Click();
}

void TF_edit_prj::RG1Click() {
  const int kind = OutputKind();
  if (kind == kExecutableKind)
    iconGroup_->show();
  else
    iconGroup_->hide();
  if (kind == kJpegZipKind)
    optionsGroup_->show();
  else
    optionsGroup_->hide();
  // The magnifier and the password mean nothing to a plain ZIP of pictures.
  const bool archive = kind != kJpegZipKind;
  int index = 0;
  for (Page page : {Page::ArchiveFile, Page::MagnifyingGlass, Page::Other, Page::PasswordedAreas}) {
    const bool offered = archive || page == Page::ArchiveFile || page == Page::Other;
    Fl_Group& group = PageGroup(page);
    if (offered && group.parent() != pages_) {
      group.hide();
      pages_->insert(group, index);
    } else if (!offered && group.parent() == pages_) {
      if (pages_->value() == &group) pages_->value(&PageGroup(Page::ArchiveFile));
      pages_->remove(group);
    }
    if (offered) ++index;
  }
  pages_->redraw();
  outputFile_->value(WithArchiveExtension(outputFile_->value(), kind).c_str());
}

void TF_edit_prj::TrackBar1Change() {
  diameterText_ = std::to_string(TrackBar1_->Position());
  diameterLabel_->label(diameterText_.c_str());
  circle_->SetCircle(TrackBar1_->Position(), circle_->CircleColor());
}

void TF_edit_prj::TrackBar2Change() {
  qualityText_ = std::to_string(TrackBar2_->Position());
  optionsQuality_->label(qualityText_.c_str());
  otherQuality_->label(qualityText_.c_str());
}

void TF_edit_prj::SB_output_fileClick() {
  const KeepCurrentFolder keep;
  const int kind = OutputKind();
  const std::filesystem::path file = std::string(Trim(outputFile_->value()));
  ui::FileChoice choice;
  choice.title = "Output filename";
  choice.folder = file.parent_path().string();
  choice.name = file.filename().string();
  choice.extension = ArchiveExtensionOf(kind);
  choice.filter = (kind == kExecutableKind ? "Executable\t*" : "ZIP\t*") + choice.extension;
  if (const auto chosen = ui::CurrentDialogs().ChooseFileToSave(choice))
    outputFile_->value(chosen->c_str());
  RG1Click();
}

void TF_edit_prj::O_icon_choicer1SB_make_iconClick() {
  const Bitmap* current = currentPicture_ ? currentPicture_() : nullptr;
  if (!current) {
    ui::CurrentDialogs().ShowMessage("Please select a picture to make the icon from",
                                     ui::MessageKind::Information);
    return;
  }
  Bitmap picture = *current, icon;
  if (pictures_.ManagePicture(picture, icon, "Make the Icon") && !icon.Empty())
    O_icon_choicer1_->MakeIconFromBitmap(icon);
}

void TF_edit_prj::SB_MGcolorClick() {
  if (const auto color =
          ui::CurrentDialogs().ChooseColor("Magnifier border color", circle_->CircleColor()))
    circle_->SetCircle(circle_->Diameter(), *color);
}

void TF_edit_prj::SB_jump2jpqClick() { SetActivePage(Page::Other); }

// The address goes to the desktop as the viewer will open it, so the author checks what the
// archive's user gets.
void TF_edit_prj::SB_pwd_urlClick() {
  const std::string address(Trim(linkAddress_->value()));
  if (!address.empty()) OpenWithDesktop(WebAddress(address));
}

}  // namespace vx::builder
