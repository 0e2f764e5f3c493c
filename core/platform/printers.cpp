#include "platform/printers.h"

#include <algorithm>
#include <sstream>

#include "platform/process.h"

namespace vx {

std::vector<std::string> OrderPrinters(std::string_view destinations,
                                       std::string_view defaultAnswer) {
  std::vector<std::string> names;
  std::istringstream lines{std::string(destinations)};
  for (std::string line; std::getline(lines, line);) {
    line.erase(
        std::remove_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\r'; }),
        line.end());
    if (!line.empty() && std::find(names.begin(), names.end(), line) == names.end()) {
      names.push_back(line);
    }
  }
  constexpr std::string_view kDefault = "system default destination: ";
  const size_t at = defaultAnswer.find(kDefault);
  if (at != std::string_view::npos) {
    std::string_view name = defaultAnswer.substr(at + kDefault.size());
    name = name.substr(0, name.find_first_of("\r\n "));
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end()) std::rotate(names.begin(), found, found + 1);
  }
  return names;
}

std::vector<std::string> ListPrinters() {
  const auto destinations = ReadProgramOutput("lpstat", {"-e"});
  if (!destinations) return {};
  return OrderPrinters(*destinations, ReadProgramOutput("lpstat", {"-d"}).value_or(""));
}

bool SubmitPrintJob(const std::string& printer, const std::string& postScriptFile,
                    const std::string& media, const std::string& title) {
  // The page is already laid out for the paper and turned for its orientation.
  return ReadProgramOutput(
             "lp", {"-d", printer, "-o", "media=" + media, "-t", title, "--", postScriptFile})
      .has_value();
}

}  // namespace vx
