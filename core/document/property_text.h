// The project-wide settings as the properties dialog exchanges them with the main window: a
// text of one line each for OUTPUT_FILE, MG_BORDER_COLOR, MG_DIAMETER, JPQ, OFT, SP4ZA, HICO,
// the password (plain), PWDLT, PWDLH and PROTECTION, each followed by a line feed. A text that
// stops after the link address (ten lines) reads as strong protection.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/conversions.h"
#include "document/output_file.h"
#include "document/project_state.h"
#include "protection/archive_lock.h"

namespace vx {

// The properties text of a project's properties.
std::string PropertyTextOf(const ProjectProperties& properties);
// The text's lines, each trimmed, in place of the properties they stand for.
void ApplyPropertyText(std::string_view text, ProjectProperties& properties);

// How the properties dialog reads a text, with its fallbacks for what is not readable.
struct PropertyValues {
  std::string outputFile;
  Color lensColor = 0;
  std::optional<int> lensDiameter;  // nothing when not a number: the dialog keeps its own
  int quality = 65;
  int kind = kExecutableKind;
  bool pointersInZip = false;
  std::string icon;
  std::string password;
  std::string linkText;
  std::string linkAddress;
  Protection protection = Protection::Strong;
};
inline constexpr int kMinLensDiameter = 50, kMaxLensDiameter = 250;
inline constexpr int kMinQuality = 10, kMaxQuality = 100;

PropertyValues ReadPropertyValues(std::string_view text);
// The text of the values; an absent diameter is written as an empty line.
std::string PropertyValuesText(const PropertyValues& values);

}  // namespace vx
