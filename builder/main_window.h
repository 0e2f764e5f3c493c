// The builder's main window: the project's pictures as tiles of the strip on the left, the
// current picture on the right, the menus, the tool bar and the status bar; the commands that
// edit and make the project.
#pragma once

#include <FL/Fl_Menu_Bar.H>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/project_history.h"
#include "document/project_state.h"
#include "document/recovery_file.h"
#include "forms.h"
#include "img_frame.h"
#include "platform/process.h"
#include "project_window.h"
#include "tile_fill.h"
#include "tool_bar.h"
#include "ui/latest_work.h"
#include "ui/splitter.h"
#include "ui/thumbnail_strip.h"

namespace vx::builder {

class TFmain : public TPmain {
 public:
  explicit TFmain(Forms& forms);
  ~TFmain() override;

  // The first activation: a new empty project, the user's folders, then the start dialog's
  // choice; with a project named on the command line, that project instead of the dialog.
  void Start(const std::string& commandLineProject = "");

  // The project life cycle's hooks.
  void PrepareDialogs() override;
  void ClearView() override;
  bool DocumentToView() override;
  void ViewToDocument() override;
  void FirstActivation() override;
  void PNewClick(bool byUser) override;
  void PSaveClick() override;
  void PSaveasClick() override;

  // Commands.
  void PAddpictureClick();
  void PDeletepictureClick();
  void PFieldsanddescriptionClick();
  void POptionsClick();
  void PPrjClick();
  void PBuildonlyClick();
  void PBuildandrunClick();
  void PObjectsClick();
  void PHelp1Click();
  void PAboutClick();
  void UpdateCommands();

  // The current picture: shown once selections have come to rest (200 ms after the last);
  // its pointers go back to their tile before another is shown and before every save.
  void Timer_select_itemTimer();
  void StorePointers();
  // The picture "Make Icon from Graphic" starts from: the current one at its own size once the
  // frame shows it, else the current tile's thumbnail; null without a current tile.
  const Bitmap* CurrentPicture() const;
  // A press on the picture adds a pointer there while the objects window adds; a click on a
  // pointer edits or deletes it as the objects window says.
  void O_img_frame1Image1MouseDown(Point at, int button);
  void PointerClicked(TMhint& pointer);

  // Every change of the project goes through these, and each marks the project changed.
  // Pictures are added at index at (the end when out of range), each on a tile of its own
  // once its thumbnail is decoded; files that cannot be read are left out.
  void AddPictures(const std::vector<std::string>& files, int at = -1);
  void DeleteTiles(const std::vector<ui::TO_img_item*>& tiles);
  void TilesReordered();
  void SetStripWidth(int width);
  void SetProperties(const ProjectProperties& properties);
  // The tile's fields and description, confirmed in the fields dialog.
  void SetFieldsText(ui::TO_img_item& tile, const std::string& text);
  void PointersChanged();

  // Undo and redo: each change above is one step of the project's history.
  void Undo();
  void Redo();
  const ProjectHistory& History() const { return history_; }
  // What builders that ended without closing left unsaved, offered one at a time; true when
  // one was opened.
  bool OfferRecovery();
  // Unsaved changes go to this builder's recovery file this often.
  double RecoverySeconds = 30;

  // The state the commands work on.
  bool Busy() const;
  // An archive made by "Make ZRV and run it" is running.
  bool Running() const { return running_; }
  // The wizard finished the EASY way: the project holds only its frames' identifiers and
  // files, its archive is made and the window closes.
  bool QuickMode() const { return quickMode_; }
  const ProjectProperties& Properties() const { return properties_; }
  ui::TO_img_items& Strip() { return *strip_; }
  TO_img_frame& Frame() { return *frame_; }
  ToolBar& Tools() { return *toolBar_; }
  Fl_Menu_Bar& Menu() { return *menu_; }
  // Menu items by their path, "File/Save".
  const Fl_Menu_Item* MenuItem(const char* path) const;
  // The viewer program every executable archive is a copy of.
  std::string ViewerPath;
  // Runs each time the frame has shown a tile's picture, for tests.
  std::function<void()> OnPictureShown;
  // Runs after every fill of the strip and every make and run, for tests.
  std::function<void()> OnIdle;

  void resize(int x, int y, int w, int h) override;

 protected:
  int handle(int event) override;
  void FormClose() override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void ResizeStrip(int width);
  int UnscaledStripWidth() const;
  // False when the make could not start (a message says why).
  bool Make(bool run);
  // The new-project wizard, then its project; the EASY way makes the archive and closes.
  void RunNewProjectWizard();
  std::vector<FrameRecord> FramesOfProject() const;
  void SetBusy(bool busy);
  void FillStrip(std::vector<FrameRecord> frames, TileFill::Unreadable unreadable, int at,
                 std::function<void()> done);
  std::vector<FrameRecord> FramesOfView() const;
  void SetMenuActive(const char* path, bool active);
  // The end of a make: runs the archive when asked to and one was made.
  void Made(bool made, bool run);
  void RunArchive(const std::string& path);
  static void WatchArchive(void* window);
  static void SelectTick(void* window);
  void SelectionChanged();
  void ShowTile(const ui::TO_img_item& tile);
  void PictureRead(const std::string& id, const std::shared_ptr<Bitmap>& picture);
  // The placeholder, no pointers, and no picture on its way.
  void ClearFrame();
  // The question about a pointer whose deletion was asked for, once its click is over.
  static void DeletionMessage(void* window);
  // A protected area in a project without a password offers the properties on their password
  // page.
  void OfferPassword(int kind);
  static void PasswordOffer(void* window);
  void Idle();
  // A file manager's drop: pictures onto the strip, a project onto the window.
  void Dropped(const std::string& text);
  // The history's side (main_window_history.cpp).
  ProjectState StateOfView() const;
  void RecordStep();
  // A project just shown (new, opened or recovered): its history starts over.
  void ProjectShown();
  void ShowState(ProjectState state);
  void ArrangeTiles(const std::vector<std::string>& order);
  void RefreshFrame();
  void StateShown(ui::TO_img_item* current);
  static void RecoveryTick(void* window);

  Forms& forms_;
  ProjectProperties properties_;
  Fl_Menu_Bar* menu_;
  ToolBar* toolBar_;
  ui::TO_img_items* strip_;
  ui::Splitter* splitter_;
  TO_img_frame* frame_;
  std::unique_ptr<TileFill> fill_;
  bool busy_ = false;
  bool making_ = false;
  bool running_ = false;
  bool madeFlag_ = false;
  bool addingPictures_ = false;
  bool quickMode_ = false;
  std::vector<FrameRecord> quickFrames_;  // the frames of a quick-mode project: id and file
  int dropAt_ = -1;                       // where the pictures of a drop onto the strip go
  int pendingSelections_ = 0;
  std::string framesTile_;  // the tile whose pointers the frame shows
  bool framePictureRead_ = false;
  ui::LatestWork pictureWork_;   // reads the current picture
  std::string pendingDeletion_;  // the pointer whose deletion waits for the question
  bool objectsWereShown_ = false;
  std::unique_ptr<WatchedProgram> archive_;
  ProjectHistory history_;
  RecoveryKeeper recovery_;
  bool openedAsChanged_ = false;  // recovered work: changed from the start
  std::string adoptedRecovery_;   // the recovery file it came from, removed once kept anew
};

}  // namespace vx::builder
