// Shows the builder's dialogs (under Xvfb when there is no desktop) and saves what a person
// would see: the start dialog, both pages of the settings, the pages of the project properties,
// a message, a confirmation, the busy window, the picture dialog that makes an icon, the current
// picture frame with the demo's pointers on its first picture at its own size, the objects
// window, the object editor for each kind, the fields dialog's table with the EXIF data of the
// demo's first picture imported, its text page and the field editor, the making progress dialog
// over a real make of the demo project, the six pages of the new-project wizard with the demo's
// pictures in its list, and the main window with that project.
//   builder_screenshots DIST FOLDER
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "document/project.h"
#include "document/property_text.h"
#include "formats/picture_file.h"
#include "forms.h"
#include "img_frame.h"
#include "main_window.h"
#include "photographing_dialogs.h"
#include "platform/paths.h"
#include "sample_pictures.h"
#include "screenshot.h"
#include "ui/font_fallback_driver.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: builder_screenshots DIST FOLDER\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dist = argv[1], folder = argv[2];
  fs::create_directories(folder);
  vx::ui::UseFontFallback();  // as the programs do
  auto owned = std::make_unique<vx::PhotographingDialogs>();
  vx::PhotographingDialogs& photo = *owned;
  vx::ui::InstallDialogs(std::move(owned));
  auto path = [&](const char* name) { return (folder / name).string(); };

  Fl::visual(FL_DOUBLE | FL_RGB);
  vx::builder::Forms forms(
      vx::ChooseUserLayout((dist / "bin/Vellumax").string(), vx::OwnDesktopFolders()));

  photo.path = path("builder-start.png");
  forms.start.Execute(false);
  photo.path = path("builder-settings.png");
  forms.settings.Execute();
  forms.settings.Pages().value(forms.settings.Pages().child(1));
  photo.path = path("builder-settings-colors.png");
  forms.settings.Execute();
  // The four pages of the project properties on the demo project, and the first page once more
  // for a plain ZIP of pictures.
  {
    using Page = vx::builder::TF_edit_prj::Page;
    const vx::Project demo = vx::LoadProjectFile((dist / "projects/Demo.vxpr").string());
    vx::ProjectProperties values = vx::ReadProperties(*demo.document);
    std::string properties = vx::PropertyTextOf(values);
    for (const auto& [page, name] :
         {std::pair{Page::ArchiveFile, "builder-properties-file.png"},
          std::pair{Page::MagnifyingGlass, "builder-properties-lens.png"},
          std::pair{Page::Other, "builder-properties-other.png"},
          std::pair{Page::PasswordedAreas, "builder-properties-password.png"}}) {
      photo.path = path(name);
      forms.editPrj.SetActivePage(page);
      forms.editPrj.EditText(properties);
    }
    values.outputKind = "2";
    properties = vx::PropertyTextOf(values);
    photo.path = path("builder-properties-zip.png");
    forms.editPrj.SetActivePage(Page::ArchiveFile);
    forms.editPrj.EditText(properties);
  }
  photo.path = path("builder-message.png");
  forms.msg.ShowText("Wrong name of grapic file " + (dist / "graphics/beach.jpg").string());
  photo.path = path("builder-confirmation.png");
  forms.sureDel.AskDelete("Delete picture(s) from the project?");
  vx::Bitmap picture = vx::MakeSamplePicture(320, 240, 7), icon;
  forms.pictureMgm.SB_make_tn().value(1);
  forms.pictureMgm.SB_make_tnClick();
  photo.path = path("builder-picture.png");
  forms.pictureMgm.ManagePicture(picture, icon, "Make the Icon");

  // The wizard's pages, with the demo's pictures in the list and the second one previewed.
  for (const char* name : {"Harbour", "Old town", "Market", "Hills"})
    photo.filesToOpen.push_back((dist / "graphics" / (std::string(name) + ".jpg")).string());
  vx::builder::TW_new_prj& wizard = forms.wizard;
  wizard.Inputs = {
      (dist / "output" / (std::string("Project1") + vx::kExecutableExtension)).string(),
      (dist / "output").string(), (dist / "graphics").string(), 65};
  photo.whileShown = [&](Fl_Window&) {
    for (int page = 0; page < wizard.PageCount(); ++page) {
      if (page == vx::builder::TW_new_prj::PicturesPage) {
        wizard.Source().SB_srcfileClick();
        wizard.Source().Files().value(2);
        wizard.Source().ActiveItemChanged();
        vx::WaitFor([&] { return !wizard.Source().PreviewBusy(); }, 10);
      }
      vx::SaveWindowPng(wizard,
                        path(("builder-wizard-" + std::to_string(page + 1) + ".png").c_str()));
      wizard.SB_nextClick();
    }
  };
  wizard.RunWizard();
  photo.whileShown = nullptr;

  forms.working.StartBusy("Loading pictures...");
  vx::WaitFor([&] { return forms.working.Angle() > 1; }, 5);
  vx::SaveWindowPng(forms.working, path("builder-busy.png"));
  forms.working.StopBusy();

  {
    const vx::Project demo = vx::LoadProjectFile((dist / "projects/Demo.vxpr").string());
    const vx::TKelPigger& first = *demo.document->FindChild("FRAME");
    Fl_Double_Window window(1200, 700, "Vellumax");
    auto* frame = new vx::builder::TO_img_frame(0, 0, window.w(), window.h());
    window.end();
    window.show();
    frame->ShowPicture([&](vx::Bitmap& shown) {
      shown = vx::LoadPictureFile(first.GetAttr("SRC_FILE"));
      return true;
    });
    if (const vx::TKelPigger* pointers = first.FindChild("PNTRS"))
      frame->LoadPointers(pointers->SaveToText());
    frame->Area().ScrollTo(150, 400);  // where the three kinds lie
    vx::SaveWindowPng(window, path("builder-frame.png"));
  }
  forms.objects.show();
  vx::SaveWindowPng(forms.objects, path("builder-objects.png"));
  forms.objects.hide();
  const char* kEditors[] = {"builder-edit-cloud.png", "builder-edit-arrow.png",
                            "builder-edit-area.png"};
  for (int kind = 1; kind <= 3; ++kind) {
    photo.path = path(kEditors[kind - 1]);
    forms.editObj.Edit(vx::NewPointer(kind, "Some comment 120:80", 0x0000FF, 0x808080, 0x80FFFF));
  }

  // The fields of the demo's first picture with its EXIF data imported, the description, and
  // a field in the editor.
  {
    const vx::Project demo = vx::LoadProjectFile((dist / "projects/Demo.vxpr").string());
    const vx::TKelPigger& first = *demo.document->FindChild("FRAME");
    vx::builder::TF_dsc_flds& fields = forms.fields;
    fields.SourcePicture = first.GetAttr("SRC_FILE");
    std::string text = first.FindChild("FLDS")->SaveToText();
    photo.whileShown = [&](Fl_Window&) {
      fields.SB_exifClick();
      fields.O_pvt_fields1().FocusRow(4);
      vx::SaveWindowPng(fields, path("builder-fields-table.png"));
      fields.Pages().value(&fields.TextPage());
      vx::SaveWindowPng(fields, path("builder-fields-text.png"));
      fields.Pages().value(&fields.TablePage());
    };
    fields.EditText(text);
    photo.whileShown = nullptr;
    std::string field =
        "<FLD FNAME=\"Shop\" FTYPE=\"http\" VAL=\"shop.example.com/harbour\" ISBN=\"Y\"/>";
    photo.path = path("builder-field-editor.png");
    forms.fieldEditor.EditText(field);
  }

  // The demo project made into a folder of its own. Its third picture is missing: the make
  // waits there for its message to be seen, and the progress dialog is photographed then.
  const fs::path output = fs::temp_directory_path() / "vellumax-screenshot.run";
  vx::Project project = vx::LoadProjectFile((dist / "projects/Demo.vxpr").string());
  project.document->SetAttr("OUTPUT_FILE", output.string());
  if (vx::TKelPigger* third = project.document->Child(2))
    third->SetAttr("SRC_FILE", (dist / "graphics/missing.jpg").string());
  auto archive = vx::DocumentForMaking(*project.document, project.password,
                                       vx::ProtectionOf(*project.document));
  const auto& document = archive.document;
  vx::MakeOptions options;
  options.viewerPath = (dist / "bin/_vellumax").string();
  options.areas = archive.areas;
  std::optional<bool> made;
  photo.path = path("builder-making.png");
  photo.subject = &forms.run;
  forms.run.Start(*document, options, [&](bool result) { made = result; });
  vx::WaitFor([&] { return made.has_value(); }, 60);
  fs::remove(output);

  // The main window with the demo project.
  vx::builder::TFmain window(forms);
  window.show();
  vx::WaitFor([&] { return window.visible() != 0; }, 10);
  const std::string demo = (dist / "projects/Demo.vxpr").string();
  if (window.LoadProject(demo)) window.SetFileName(demo);
  vx::WaitFor([&] { return !window.Busy(); }, 60);
  bool shown = false;
  window.OnPictureShown = [&] { shown = true; };
  window.Strip().SelectTile(window.Strip().TileAt(0));
  vx::WaitFor([&] { return shown; }, 10);
  vx::SaveWindowPng(window, path("builder-main-window.png"));
  std::printf("builder screenshots in %s\n", folder.string().c_str());
  return 0;
}
