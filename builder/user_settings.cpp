#include "user_settings.h"

#include <filesystem>
#include <string_view>

#include "document/vocabulary.h"
#include "text/trim.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;
namespace n = names;

}  // namespace

UserSettings::UserSettings(UserLayout layout) : layout_(std::move(layout)) { Reset(); }

void UserSettings::Load() {
  try {
    document_.LoadFromFile(layout_.settingsFile);
    if (document_.Name == n::kSettingsRoot) return;
  } catch (const std::exception&) {
    // Missing (the first start), unreadable or broken: the defaults apply from here on.
  }
  Reset();
  Save(layout_.settingsFile);
}

void UserSettings::Save(const std::string& path) const {
  try {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    document_.SaveToFile(path);
  } catch (const std::exception&) {
    // A read-only medium or a full disk: the settings of this run are still in use.
  }
}

void UserSettings::Reset() {
  document_.Clear();
  document_.SetName(n::kSettingsRoot);
}

const char* UserSettings::KeyOf(UserFolder folder) {
  switch (folder) {
    case UserFolder::Source:
      return n::kSourceFolder;
    case UserFolder::Output:
      return n::kOutputFolder;
    case UserFolder::Export:
      break;
  }
  return n::kExportFolder;
}

std::string UserSettings::DefaultFolderText(UserFolder folder) const {
  switch (folder) {
    case UserFolder::Source:
      return layout_.source;
    case UserFolder::Output:
      return layout_.output;
    case UserFolder::Export:
      break;
  }
  return layout_.exported;
}

std::string UserSettings::NormalisedFolderText(UserFolder folder, const std::string& text) const {
  const std::string_view trimmed = Trim(text);
  return trimmed.empty() ? DefaultFolderText(folder) : std::string(trimmed);
}

std::string UserSettings::FolderPath(UserFolder folder) const {
  return ResolveFolder(layout_, NormalisedFolderText(folder, document_.GetAttr(KeyOf(folder))));
}

void UserSettings::CreateFolders() const {
  for (UserFolder folder : {UserFolder::Source, UserFolder::Output, UserFolder::Export}) {
    std::error_code ec;
    fs::create_directories(FolderPath(folder), ec);
  }
}

Color UserSettings::DefaultColorOf(const char* key) {
  const std::string_view name = key;
  if (name == n::kDefaultPenColor) return kDefaultPenColor;
  if (name == n::kDefaultBrushColor) return kDefaultBrushColor;
  return kDefaultTextColor;
}

Color UserSettings::ColorOf(const char* key) const {
  const std::string text = document_.GetAttr(key);
  return text.empty() ? DefaultColorOf(key) : TextToColor(text);
}

std::string UserSettings::LastProject() const { return document_.GetAttr(n::kLastProject); }

void UserSettings::SetLastProject(const std::string& path) {
  document_.SetAttr(n::kLastProject, path);
}

}  // namespace vx::builder
