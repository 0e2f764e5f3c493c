#include "document/project_state.h"

#include <charconv>
#include <filesystem>
#include <memory>

#include "document/conversions.h"
#include "document/vocabulary.h"
#include "platform/files.h"
#include "protection/cipher.h"
#include "text/trim.h"

namespace vx {
namespace {

namespace n = names;

// A subtree kept as text becomes a child named as the document names it.
void AppendSubtree(TKelPigger& frame, const std::string& text, const char* name) {
  if (text.empty()) return;
  auto child = std::make_unique<TKelPigger>();
  child->LoadFromText(text);
  child->SetName(name);
  child.release()->SetParent(&frame);
}

// Written as a root of its own, so the text does not depend on where the subtree stood.
std::string SubtreeText(const TKelPigger& frame, const char* name) {
  const TKelPigger* child = frame.FindChild(name);
  if (!child) return {};
  TKelPigger standalone;
  standalone.Assign(*child);
  return standalone.SaveToText();
}

}  // namespace

ProjectProperties ReadProperties(const TKelPigger& project) {
  ProjectProperties p;
  p.outputFile = project.GetAttr(n::kOutputFile);
  p.noHintLine = project.GetAttr(n::kNoHintLine);
  p.lensBorderColor = project.GetAttr(n::kLensBorderColor);
  p.lensDiameter = project.GetAttr(n::kLensDiameter);
  p.jpegQuality = project.GetAttr(n::kJpegQuality);
  p.outputKind = project.GetAttr(n::kOutputKind);
  if (p.outputKind.empty()) p.outputKind = "0";
  p.pointersInZip = project.GetAttr(n::kPointersInZip);
  p.icon = project.GetAttr(n::kIcon);
  const std::string stored = project.GetAttr(n::kPassword);
  if (!stored.empty()) p.password = RestorePassword(HexDecode(stored));
  p.passwordLinkText = project.GetAttr(n::kPasswordLinkText);
  p.passwordLinkAddress = project.GetAttr(n::kPasswordLinkAddress);
  p.protection = project.GetAttr(n::kProtection);
  return p;
}

std::vector<FrameRecord> ReadFrames(const TKelPigger& project, bool* identifiersMade) {
  std::vector<FrameRecord> frames;
  for (const TKelPigger* frame = project.FindChild(n::kFrame); frame;
       frame = project.FindNext(frame)) {
    FrameRecord record{std::string(Trim(frame->GetAttr(n::kFrameId))),
                       frame->GetAttr(n::kSourceFile), frame->GetAttr(n::kFooter),
                       SubtreeText(*frame, n::kFields), SubtreeText(*frame, n::kPointers)};
    if (record.id.empty()) {
      record.id = NewId();
      if (identifiersMade) *identifiersMade = true;
    }
    frames.push_back(std::move(record));
  }
  return frames;
}

std::optional<int> StripWidthOf(const TKelPigger& project) {
  const std::string text = project.GetAttr(n::kStripWidth);
  int width = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), width);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return width;
}

void WriteProject(TKelPigger& document, const ProjectProperties& p, std::optional<int> stripWidth,
                  const std::vector<FrameRecord>& frames) {
  document.Clear();
  document.SetName(n::kProjectRoot);
  document.SetAttr(n::kOutputFile, p.outputFile);
  document.SetAttr(n::kNoHintLine, p.noHintLine);
  document.SetAttr(n::kLensBorderColor, p.lensBorderColor);
  document.SetAttr(n::kLensDiameter, p.lensDiameter);
  if (stripWidth) document.SetAttr(n::kStripWidth, std::to_string(*stripWidth));
  document.SetAttr(n::kJpegQuality, p.jpegQuality);
  document.SetAttr(n::kOutputKind, p.outputKind);
  document.SetAttr(n::kPointersInZip, p.pointersInZip);
  document.SetAttr(n::kIcon, p.icon);
  if (!p.password.empty()) document.SetAttr(n::kPassword, HexEncode(StorePassword(p.password)));
  document.SetAttr(n::kPasswordLinkText, p.passwordLinkText);
  document.SetAttr(n::kPasswordLinkAddress, p.passwordLinkAddress);
  document.SetAttr(n::kProtection, p.protection);
  try {
    for (const FrameRecord& record : frames) {
      auto* frame = new TKelPigger(&document);
      frame->SetName(n::kFrame);
      frame->SetAttr(n::kFrameId, record.id);
      frame->SetAttr(n::kSourceFile, record.sourceFile);
      AppendSubtree(*frame, record.fieldsText, n::kFields);
      AppendSubtree(*frame, record.pointersText, n::kPointers);
      frame->SetAttr(n::kFooter, record.footer);
    }
  } catch (...) {
    document.Clear();
    throw;
  }
}

std::string ProjectText(const ProjectState& state) {
  TKelPigger document;
  WriteProject(document, state.properties, state.stripWidth, state.frames);
  return document.SaveToText();
}

std::string NewProjectFileName(const std::string& projectsFolder) {
  const std::filesystem::path folder = std::filesystem::absolute(projectsFolder);
  for (int number = 1;; ++number) {
    const std::string path = (folder / ("Project" + std::to_string(number) + ".vxpr")).string();
    if (!FileExists(path)) return path;
  }
}

}  // namespace vx
