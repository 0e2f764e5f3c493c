// The builder's user settings: the settings document "SETTINGS" in its file, and what its keys
// mean (folders, default colours of new annotation objects, the last project).
#pragma once

#include <string>

#include "document/conversions.h"
#include "document/kel_pigger.h"
#include "platform/user_layout.h"

namespace vx::builder {

inline constexpr Color kDefaultTextColor = 0x0000FF;   // red
inline constexpr Color kDefaultPenColor = 0x808080;    // grey
inline constexpr Color kDefaultBrushColor = 0x80FFFF;  // light yellow

enum class UserFolder { Source, Output, Export };

class UserSettings {
 public:
  explicit UserSettings(UserLayout layout);

  TKelPigger& Document() { return document_; }
  const TKelPigger& Document() const { return document_; }
  const UserLayout& Layout() const { return layout_; }

  // Reads the settings file; one that is missing, unreadable or not a settings document is
  // replaced by an empty one, written at once.
  void Load();
  // Failures are ignored: settings are not worth stopping the user's work for.
  void Save(const std::string& path) const;
  // An empty document with the root "SETTINGS".
  void Reset();

  // The folder's key, and its text as the user sees it: trimmed, or the default when empty.
  static const char* KeyOf(UserFolder folder);
  std::string DefaultFolderText(UserFolder folder) const;
  std::string NormalisedFolderText(UserFolder folder, const std::string& text) const;
  // The folder in use as a full path.
  std::string FolderPath(UserFolder folder) const;
  // Creates the three folders, with every missing parent; failures are ignored.
  void CreateFolders() const;

  // The colour in use; the default while the key is missing, black for an invalid text.
  Color ColorOf(const char* key) const;
  static Color DefaultColorOf(const char* key);

  std::string LastProject() const;
  void SetLastProject(const std::string& path);

 private:
  UserLayout layout_;
  TKelPigger document_;
};

}  // namespace vx::builder
