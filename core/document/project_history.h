// The builder's undo and redo: every state a project went through, one per user action.
// Each state is what the project file would store; a frame left as it was is shared with the
// state before, so a step costs the frames it changed plus a pointer per frame. Pictures are
// referenced by path, never held. The oldest states go once the history outgrows its budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "document/project_state.h"

namespace vx {

class ProjectHistory {
 public:
  static constexpr size_t kDefaultBudget = size_t{64} << 20;
  explicit ProjectHistory(size_t budget = kDefaultBudget) : budget_(budget) {}

  // Starts over at state with nothing to undo or redo; saved: the file holds it.
  void Reset(ProjectState state, bool saved);
  // The state after one user action; it drops whatever could be redone. A state equal to the
  // current one is no step (false).
  bool Record(ProjectState state);
  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ + 1 < states_.size(); }
  // One step back or forward: the state to show; nothing when there is no step that way.
  std::optional<ProjectState> Undo();
  std::optional<ProjectState> Redo();
  ProjectState Current() const;

  // The file now holds the current state.
  void MarkSaved() { saved_ = current_; }
  // The current state is not the one the file holds (or that state is no longer known).
  bool Changed() const { return !saved_ || *saved_ != current_; }
  // The same number for the same state: undoing and redoing comes back to it.
  std::uint64_t Version() const;

  // Bytes the states hold, and their count (the current one included).
  size_t MemoryUsed() const { return bytes_; }
  size_t StateCount() const { return states_.size(); }

 private:
  struct Snapshot {
    std::shared_ptr<const ProjectProperties> properties;
    std::optional<int> stripWidth;
    std::vector<std::shared_ptr<const FrameRecord>> frames;
    std::uint64_t version = 0;
  };
  Snapshot Share(ProjectState&& state) const;
  void Push(Snapshot snapshot);
  void DropBack();
  void DropFront();

  size_t budget_;
  std::deque<Snapshot> states_;
  size_t current_ = 0;
  std::optional<size_t> saved_;
  size_t bytes_ = 0;
  std::uint64_t nextVersion_ = 1;
};

}  // namespace vx
