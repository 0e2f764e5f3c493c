#include "document/project_history.h"

#include <string_view>
#include <unordered_map>

namespace vx {
namespace {

// A control block and the object of make_shared share one allocation.
constexpr size_t kSharedOverhead = 16;

size_t HeapBytes(const std::string& text) {
  return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

size_t BytesOf(const FrameRecord& r) {
  return kSharedOverhead + sizeof(FrameRecord) + HeapBytes(r.id) + HeapBytes(r.sourceFile) +
         HeapBytes(r.footer) + HeapBytes(r.fieldsText) + HeapBytes(r.pointersText);
}

size_t BytesOf(const ProjectProperties& p) {
  size_t bytes = kSharedOverhead + sizeof(ProjectProperties);
  for (const std::string* text :
       {&p.outputFile, &p.noHintLine, &p.lensBorderColor, &p.lensDiameter, &p.jpegQuality,
        &p.outputKind, &p.pointersInZip, &p.icon, &p.password, &p.passwordLinkText,
        &p.passwordLinkAddress, &p.protection})
    bytes += HeapBytes(*text);
  return bytes;
}

// What the snapshot holds alone: its own parts and the shared parts no other state holds.
template <typename Snapshot>
size_t UnsharedBytes(const Snapshot& s) {
  size_t bytes = sizeof(Snapshot) + s.frames.capacity() * sizeof(s.frames.front());
  if (s.properties.use_count() == 1) bytes += BytesOf(*s.properties);
  for (const auto& frame : s.frames) {
    if (frame.use_count() == 1) bytes += BytesOf(*frame);
  }
  return bytes;
}

}  // namespace

ProjectHistory::Snapshot ProjectHistory::Share(ProjectState&& state) const {
  Snapshot s;
  s.stripWidth = state.stripWidth;
  s.frames.reserve(state.frames.size());
  if (states_.empty()) {
    s.properties = std::make_shared<const ProjectProperties>(std::move(state.properties));
    for (FrameRecord& frame : state.frames)
      s.frames.push_back(std::make_shared<const FrameRecord>(std::move(frame)));
    return s;
  }
  const Snapshot& now = states_[current_];
  s.properties = *now.properties == state.properties
                     ? now.properties
                     : std::make_shared<const ProjectProperties>(std::move(state.properties));
  // Most actions leave frames in their places; a reorder or a deletion finds them by id.
  std::unordered_map<std::string_view, const std::shared_ptr<const FrameRecord>*> byId;
  for (size_t i = 0; i < state.frames.size(); ++i) {
    FrameRecord& frame = state.frames[i];
    if (i < now.frames.size() && *now.frames[i] == frame) {
      s.frames.push_back(now.frames[i]);
      continue;
    }
    if (byId.empty()) {
      for (const auto& known : now.frames) byId.emplace(known->id, &known);
    }
    const auto found = byId.find(frame.id);
    if (found != byId.end() && **found->second == frame) {
      s.frames.push_back(*found->second);
    } else {
      s.frames.push_back(std::make_shared<const FrameRecord>(std::move(frame)));
    }
  }
  return s;
}

void ProjectHistory::Push(Snapshot snapshot) {
  snapshot.version = nextVersion_++;
  states_.push_back(std::move(snapshot));
  bytes_ += UnsharedBytes(states_.back());
}

void ProjectHistory::DropBack() {
  bytes_ -= UnsharedBytes(states_.back());
  states_.pop_back();
  if (saved_ && *saved_ >= states_.size()) saved_.reset();
}

void ProjectHistory::DropFront() {
  bytes_ -= UnsharedBytes(states_.front());
  states_.pop_front();
  --current_;
  if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional<size_t>(*saved_ - 1);
}

void ProjectHistory::Reset(ProjectState state, bool saved) {
  states_.clear();
  bytes_ = 0;
  Push(Share(std::move(state)));
  current_ = 0;
  saved_.reset();
  if (saved) saved_ = 0;
}

bool ProjectHistory::Record(ProjectState state) {
  if (states_.empty()) {
    Reset(std::move(state), false);
    return true;
  }
  Snapshot next = Share(std::move(state));
  const Snapshot& now = states_[current_];
  // Shared parts are equal exactly when they are the same objects.
  if (next.properties == now.properties && next.stripWidth == now.stripWidth &&
      next.frames == now.frames)
    return false;
  while (CanRedo()) DropBack();
  Push(std::move(next));
  current_ = states_.size() - 1;
  // The last action can always be undone, however large it was.
  while (bytes_ > budget_ && states_.size() > 2) DropFront();
  return true;
}

std::optional<ProjectState> ProjectHistory::Undo() {
  if (!CanUndo()) return std::nullopt;
  --current_;
  return Current();
}

std::optional<ProjectState> ProjectHistory::Redo() {
  if (!CanRedo()) return std::nullopt;
  ++current_;
  return Current();
}

ProjectState ProjectHistory::Current() const {
  if (states_.empty()) return {};
  const Snapshot& s = states_[current_];
  ProjectState state{*s.properties, s.stripWidth, {}};
  state.frames.reserve(s.frames.size());
  for (const auto& frame : s.frames) state.frames.push_back(*frame);
  return state;
}

std::uint64_t ProjectHistory::Version() const {
  return states_.empty() ? 0 : states_[current_].version;
}

}  // namespace vx
