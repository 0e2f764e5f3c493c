// The progress dialog of making an archive. The making runs on a thread of its own (with the
// maker's workers); the dialog shows its progress and its messages in frame order and stays
// responsive, so BREAK can be asked for at any time.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Progress.H>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "archive/archive_maker.h"
#include "message_dialogs.h"
#include "ui/link_text.h"

namespace vx::builder {

class TD_run : public Fl_Double_Window {
 public:
  TD_run(TDmsg& messages, TFsure& sure);
  // A make still running is broken off and waited for.
  ~TD_run() override;

  using Finished = std::function<void(bool made)>;
  // Makes the archive of a copy of the document (the caller may change its own meanwhile) and
  // returns at once. finished runs on this thread once the dialog has closed; made is true
  // when the output file was written.
  void Start(const TKelPigger& document, MakeOptions options, Finished finished);
  bool Running() const { return worker_.joinable(); }

  // "BREAK": asks, and on "Yes" the make stops at its next picture.
  void SB_breakClick();

  Fl_Progress& Gauge() { return *gauge_; }
  Fl_Button& BreakButton() { return *break_; }
  Fl_Box& Label_ec() { return *zipping_; }

 private:
  class Observer;
  // What the making thread reports, read by this thread.
  struct Report {
    int percent = 0;
    bool pictures = false;
    bool zipping = false;
    std::deque<std::string> messages;  // the front one is being shown
    long long messagesShown = 0;
    bool done = false;
    bool made = false;
    bool abandoned = false;
    bool wakePending = false;
  };

  static void Wake(void* dialog);
  void Post(std::unique_lock<std::mutex>& lock);
  void Sync();
  void Finish(bool made);

  TDmsg& messages_;
  TFsure& sure_;
  Fl_Progress* gauge_;
  Fl_Box* zipping_;
  Fl_Button* break_;
  ui::LinkText* link_;

  std::mutex mutex_;
  std::condition_variable shown_;
  Report report_;
  std::atomic<bool> breakFlag_{false};
  bool inDialog_ = false;  // a message or the break question is open
  Finished finished_;
  std::unique_ptr<Observer> observer_;
  std::thread worker_;
};

}  // namespace vx::builder
