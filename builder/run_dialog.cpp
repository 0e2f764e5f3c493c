#include "run_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>

#include <mutex>
#include <set>

#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;

// Wake-ups from the making thread may still be queued when a dialog goes away; they only act
// on dialogs that still exist. Touched on the user-interface thread only.
std::set<void*>& LiveDialogs() {
  static std::set<void*> dialogs;
  return dialogs;
}

}  // namespace

// Runs on the making thread: hands everything over to the dialog and waits only for messages,
// which the user must have seen before the make goes on, as with a modal message.
class TD_run::Observer : public MakeObserver {
 public:
  explicit Observer(TD_run& dialog) : dialog_(dialog) {}

  void ShowMessage(const std::string& text) override {
    std::unique_lock lock(dialog_.mutex_);
    Report& report = dialog_.report_;
    report.messages.push_back(text);
    const long long ticket = report.messagesShown + static_cast<long long>(report.messages.size());
    dialog_.Post(lock);
    dialog_.shown_.wait(lock, [&] { return report.messagesShown >= ticket || report.abandoned; });
  }
  void ShowPictureProgress(int percent) override {
    std::unique_lock lock(dialog_.mutex_);
    dialog_.report_.percent = percent;
    dialog_.report_.pictures = true;
    dialog_.report_.zipping = false;
    dialog_.Post(lock);
  }
  void ShowZipping() override {
    std::unique_lock lock(dialog_.mutex_);
    dialog_.report_.pictures = false;
    dialog_.report_.zipping = true;
    dialog_.Post(lock);
  }
  bool BreakRequested() override { return dialog_.breakFlag_; }

 private:
  TD_run& dialog_;
};

TD_run::TD_run(TDmsg& messages, TFsure& sure)
    : Fl_Double_Window(400, 176, "Making the archive"), messages_(messages), sure_(sure) {
  // Wake-ups from other threads need the toolkit's lock set up once, on this thread.
  static std::once_flag threads;
  std::call_once(threads, [] { Fl::lock(); });

  gauge_ = new Fl_Progress(16, 20, 368, 22);
  gauge_->minimum(0);
  gauge_->maximum(100);
  gauge_->selection_color(fl_rgb_color(40, 110, 200));
  zipping_ = new Fl_Box(16, 20, 368, 22, "ZIP compressing in progress...");
  zipping_->labelsize(kTextSize);
  zipping_->labelfont(FL_HELVETICA_BOLD);
  break_ = new Fl_Button(150, 56, 100, 28, "BREAK");
  break_->labelsize(kTextSize);
  break_->labelfont(FL_HELVETICA_BOLD);
  break_->callback([](Fl_Widget* w, void*) { static_cast<TD_run*>(w->window())->SB_breakClick(); });

  auto* panel = new Fl_Group(16, 100, 368, 60);
  panel->box(FL_ENGRAVED_BOX);
  auto* patience = new Fl_Box(24, 106, 352, 22, "The process may take some time -");
  patience->labelsize(kTextSize);
  link_ = new ui::LinkText(24, 130, 352, 22);
  link_->lead = "Thank you for your patience; ";
  link_->text = "click here";
  link_->address = ui::kMakerPage;
  panel->end();
  end();
  // Closing the window asks to break, as the button does.
  callback([](Fl_Widget* w, void*) {
    auto* dialog = static_cast<TD_run*>(w);
    if (dialog->break_->visible()) dialog->SB_breakClick();
  });
  ui::ScaleWidgetTree(*this);
  LiveDialogs().insert(this);
}

TD_run::~TD_run() {
  LiveDialogs().erase(this);
  if (!worker_.joinable()) return;
  breakFlag_ = true;
  {
    std::lock_guard lock(mutex_);
    report_.abandoned = true;
  }
  shown_.notify_all();
  worker_.join();
}

void TD_run::Start(const TKelPigger& document, MakeOptions options, Finished finished) {
  if (Running()) return;
  auto copy = std::make_shared<TKelPigger>();
  copy->Assign(document);
  {
    std::lock_guard lock(mutex_);
    report_ = Report{};
  }
  breakFlag_ = false;
  finished_ = std::move(finished);
  gauge_->value(0);
  gauge_->show();
  zipping_->hide();
  break_->hide();
  ui::CenterOnScreen(*this);
  set_non_modal();  // above the main window
  show();
  observer_ = std::make_unique<Observer>(*this);
  worker_ = std::thread([this, copy, options = std::move(options)] {
    bool made = false;
    try {
      made = MakeArchive(*copy, options, *observer_);
    } catch (...) {
      made = false;  // the maker reports its own failures; nothing may escape this thread
    }
    std::unique_lock lock(mutex_);
    report_.done = true;
    report_.made = made;
    Post(lock);
  });
}

void TD_run::Post(std::unique_lock<std::mutex>& lock) {
  if (report_.wakePending) return;
  report_.wakePending = true;
  lock.unlock();
  Fl::awake(Wake, this);
  lock.lock();
}

void TD_run::Wake(void* dialog) {
  if (LiveDialogs().count(dialog)) static_cast<TD_run*>(dialog)->Sync();
}

void TD_run::Sync() {
  for (;;) {
    std::unique_lock lock(mutex_);
    report_.wakePending = false;
    const Report now = report_;
    lock.unlock();

    if (now.pictures) {
      gauge_->value(static_cast<float>(now.percent));
      gauge_->show();
      zipping_->hide();
      break_->show();
    } else if (now.zipping) {
      gauge_->hide();
      zipping_->show();
      break_->hide();
    }
    redraw();
    // One dialog at a time: a message waits while the break question is open, and the make
    // ends only after its last message.
    if (inDialog_) return;
    if (!now.messages.empty()) {
      inDialog_ = true;
      messages_.ShowText(now.messages.front());
      inDialog_ = false;
      lock.lock();
      report_.messages.pop_front();
      ++report_.messagesShown;
      lock.unlock();
      shown_.notify_all();
      continue;
    }
    if (now.done && worker_.joinable()) Finish(now.made);
    return;
  }
}

void TD_run::Finish(bool made) {
  worker_.join();
  observer_.reset();
  hide();
  // The callback may start the next make at once.
  Finished finished = std::move(finished_);
  finished_ = nullptr;
  if (finished) finished(made);
}

void TD_run::SB_breakClick() {
  const bool outer = inDialog_;
  inDialog_ = true;
  const bool yes = sure_.Ask("Are you sure you want to break ?");
  inDialog_ = outer;
  if (yes) breakFlag_ = true;
  // Whatever arrived meanwhile is shown now.
  if (!outer) Sync();
}

}  // namespace vx::builder
