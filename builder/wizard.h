// The wizard base: pages without tabs visited with "<<" and ">>", finished with "Ok" on the
// last page. A derived wizard adds its pages and fills in the hooks; its result is a document
// with the root "WZ".
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Wizard.H>

#include "document/kel_pigger.h"

namespace vx::builder {

class TP_wizard : public Fl_Double_Window {
 public:
  // Shows the wizard modally from the first page; true when it was closed with "Ok". Any
  // failure gives false.
  virtual bool RunWizard();

  TKelPigger& Result() { return result_; }
  const TKelPigger& Result() const { return result_; }

  int PageCount() const { return pages_->children(); }
  int ActivePage() const;
  void UpdateButtons();

  void FormActivate() { UpdateButtons(); }
  void SB_priorClick();
  void SB_nextClick();
  void SB_okClick();
  void SB_cancelClick();

  Fl_Button& PriorButton() { return *prior_; }
  Fl_Button& NextButton() { return *next_; }
  Fl_Button& OkButton() { return *ok_; }
  Fl_Button& CancelButton() { return *cancel_; }

 protected:
  // The pages fill the window above the bar of buttons. The derived wizard adds its pages with
  // AddPage, then calls FormCreate and scales its tree.
  TP_wizard(int w, int h, const char* caption);

  // A new last page, open for the derived wizard's controls until it calls end() on it.
  Fl_Group* AddPage();
  // The group a page is made of.
  virtual Fl_Group* NewPage(int x, int y, int w, int h) { return new Fl_Group(x, y, w, h); }
  // The first page becomes active.
  void FormCreate();
  void ShowPage(int page);

  virtual bool CanCancel() { return true; }
  virtual bool CollectResult() { return true; }
  virtual void PrepareWizard() {}
  virtual bool CanFinish() { return true; }
  virtual bool CanLeavePage(int page, bool forward) { return true; }
  virtual void PageEntered() {}

 private:
  TKelPigger result_;
  bool finished_ = false;
  Fl_Wizard* pages_;
  Fl_Button* prior_;
  Fl_Button* next_;
  Fl_Button* ok_;
  Fl_Button* cancel_;
};

}  // namespace vx::builder
