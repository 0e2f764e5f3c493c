// A fixture that opens an archive made for the test in the viewer's main window.
#pragma once

// gtest before the window headers: X11's macros (None) would break it.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "archive_session.h"
#include "blocks/data_blocks.h"
#include "main_window.h"
#include "platform/ui_scale.h"
#include "support/real_pointer.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/ui_events.h"

namespace vx::test {

class ViewerWindowTest : public testing::Test {
 protected:
  // Opens the archive file and waits for its first picture (when it has one).
  void OpenArchive(const std::string& archive) {
    ASSERT_FALSE(archive.empty());
    image_ = std::make_unique<ArchiveImage>(archive);
    session_ = std::make_unique<viewer::ArchiveSession>([this](std::string_view name) {
      if (name != "PIG_TXT") std::this_thread::sleep_for(blockDelay_.load());
      {
        const std::lock_guard lock(readsMutex_);
        ++reads_[std::string(name)];
      }
      return image_->ReadBlock(name);
    });
    ASSERT_TRUE(session_->LoadDescription());
    // As large as at 96 dpi on a desktop of any scale.
    window_ = std::make_unique<viewer::TFmain>(*session_, "archive.run", Scaled(1000), Scaled(700));
    window_->OnPictureShown = [this] {
      ++picturesShown_;
      if (onPictureShown_) onPictureShown_();
    };
    ParkRealPointer();
    window_->show();
    Settle();
    window_->FormActivate();
    ASSERT_TRUE(WaitUntilIdle());
    if (window_->Strip().TileCount() > 0) WaitForPictures(1);
  }
  // Fills and extractions run on workers: true once none is under way.
  bool WaitUntilIdle() {
    return WaitFor([&] { return !window_->Busy(); });
  }
  // True once count pictures were shown and no load is pending.
  bool WaitForPictures(int count) {
    return WaitFor([&] { return picturesShown_ >= count && window_->PendingLoads() == 0; });
  }
  bool WaitForNextPicture() { return WaitForPictures(picturesShown_ + 1); }
  // The typed password is checked on a worker; true once its answer is in.
  bool WaitForPasswordCheck() {
    return WaitFor([&] { return !window_->CheckingPassword(); });
  }
  void TearDown() override {
    if (window_) window_->hide();
    window_.reset();
    Fl::check();
  }
  // How often the block was read, by workers too.
  int BlockReads(const std::string& name) {
    const std::lock_guard lock(readsMutex_);
    return reads_[name];
  }
  static void Settle() {
    for (int i = 0; i < 5; ++i) Fl::check();
  }

  TempFolder dir_;
  ScriptedDialogsScope dialogs_;
  std::unique_ptr<ArchiveImage> image_;
  std::unique_ptr<viewer::ArchiveSession> session_;
  std::unique_ptr<viewer::TFmain> window_;
  int picturesShown_ = 0;
  std::function<void()> onPictureShown_;  // also runs whenever the view takes a picture
  std::mutex readsMutex_;
  std::map<std::string, int> reads_;
  // Slows every picture read down, so long work lasts long enough to act in its middle.
  std::atomic<std::chrono::microseconds> blockDelay_{std::chrono::microseconds(0)};
};

}  // namespace vx::test
