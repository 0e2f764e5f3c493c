// The archive file's name: the extension of its kind and the name a project's archive gets
// when it has none. The extension is the part of the name from its last dot on, so ".run"
// alone is an extension without a name.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The output kinds, as OFT numbers them.
enum OutputKind { kExecutableKind = 0, kEnvelopedKind = 1, kJpegZipKind = 2 };
inline constexpr int kOutputKindCount = 3;

// The extension an output file gets for its kind: executable archives the platform's, the
// others ".zip".
std::string ArchiveExtensionOf(int kind);
// The file with its extension replaced by the kind's, or given it when it has none; a blank
// name stays as it is.
std::string WithArchiveExtension(std::string_view file, int kind);
// False when nothing is left of the name once its folder and extension are taken away and
// blanks trimmed: ".run" alone, a folder path ending in a delimiter, blanks.
bool NamesAFile(std::string_view file);

// The archive's file of a project (outputKind as OFT stores it): a file that names none gets
// the project's name, in its own folder or else in outputFolder; then the extension of its
// kind (an executable archive's for "0", ".zip" otherwise).
std::string NormalisedOutputFile(const std::string& outputFile, const std::string& outputKind,
                                 const std::string& outputFolder, const std::string& projectFile);

}  // namespace vx
