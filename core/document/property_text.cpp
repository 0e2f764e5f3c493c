#include "document/property_text.h"

#include <algorithm>
#include <charconv>

#include "document/vocabulary.h"
#include "text/trim.h"

namespace vx {
namespace {

namespace n = names;

enum Line {
  kOutputFileLine,
  kLensColorLine,
  kLensDiameterLine,
  kQualityLine,
  kKindLine,
  kPointersInZipLine,
  kIconLine,
  kPasswordLine,
  kLinkTextLine,
  kLinkAddressLine,
  kProtectionLine,
  kLineCount
};

// Exactly one entry per key; lines end at LF, CR LF or CR, and missing ones are empty.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < kLineCount) {
    const size_t end = text.find_first_of("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    text.remove_prefix(next);
  }
  lines.resize(kLineCount);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::optional<int> Integer(std::string_view text) {
  text = Trim(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

// The properties each line stands for, in the order of the lines.
constexpr std::string ProjectProperties::*kLineProperties[kLineCount] = {
    &ProjectProperties::outputFile,
    &ProjectProperties::lensBorderColor,
    &ProjectProperties::lensDiameter,
    &ProjectProperties::jpegQuality,
    &ProjectProperties::outputKind,
    &ProjectProperties::pointersInZip,
    &ProjectProperties::icon,
    &ProjectProperties::password,
    &ProjectProperties::passwordLinkText,
    &ProjectProperties::passwordLinkAddress,
    &ProjectProperties::protection};

std::string PropertyTextOf(const ProjectProperties& properties) {
  std::vector<std::string> lines;
  for (auto property : kLineProperties) lines.push_back(properties.*property);
  return Joined(lines);
}

void ApplyPropertyText(std::string_view text, ProjectProperties& properties) {
  const std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < kLineCount; ++i) properties.*kLineProperties[i] = Trim(lines[i]);
}

PropertyValues ReadPropertyValues(std::string_view text) {
  const std::vector<std::string> lines = Lines(text);
  auto line = [&](Line index) { return std::string(Trim(lines[index])); };
  PropertyValues values;
  values.outputFile = line(kOutputFileLine);
  values.lensColor = TextToColor(lines[kLensColorLine]);
  if (const auto diameter = Integer(lines[kLensDiameterLine]))
    values.lensDiameter = std::clamp(*diameter, kMinLensDiameter, kMaxLensDiameter);
  if (const auto quality = Integer(lines[kQualityLine]))
    values.quality = std::clamp(*quality, kMinQuality, kMaxQuality);
  // An unknown kind is as unreadable as no number at all.
  if (const auto kind = Integer(lines[kKindLine]); kind && *kind >= 0 && *kind < kOutputKindCount)
    values.kind = *kind;
  values.pointersInZip = line(kPointersInZipLine) == n::kYes;
  values.icon = line(kIconLine);
  values.password = line(kPasswordLine);
  values.linkText = line(kLinkTextLine);
  values.linkAddress = line(kLinkAddressLine);
  values.protection =
      line(kProtectionLine) == n::kCompatible ? Protection::Compatible : Protection::Strong;
  return values;
}

std::string PropertyValuesText(const PropertyValues& values) {
  std::vector<std::string> lines(kLineCount);
  lines[kOutputFileLine] = Trim(values.outputFile);
  lines[kLensColorLine] = ColorToText(values.lensColor);
  if (values.lensDiameter) lines[kLensDiameterLine] = std::to_string(*values.lensDiameter);
  lines[kQualityLine] = std::to_string(values.quality);
  lines[kKindLine] = std::to_string(values.kind);
  if (values.pointersInZip) lines[kPointersInZipLine] = n::kYes;
  lines[kIconLine] = values.icon;
  lines[kPasswordLine] = Trim(values.password);
  lines[kLinkTextLine] = Trim(values.linkText);
  lines[kLinkAddressLine] = Trim(values.linkAddress);
  if (values.protection == Protection::Compatible) lines[kProtectionLine] = n::kCompatible;
  return Joined(lines);
}

}  // namespace vx
