// Element and key names of projects, archive descriptions, settings and the filter index.
#pragma once

namespace vx::names {

// Roots.
inline constexpr const char* kProjectRoot = "VX";
inline constexpr const char* kWizardRoot = "WZ";
inline constexpr const char* kSettingsRoot = "SETTINGS";
inline constexpr const char* kFilterRoot = "FILTER";
// A builder's unsaved work: the project (a VX child), its file and the writer's process.
inline constexpr const char* kRecoveryRoot = "RECOVERY";
inline constexpr const char* kRecoveredFile = "PROJECT_FILE";
inline constexpr const char* kProcessId = "PID";

// Elements.
inline constexpr const char* kFrame = "FRAME";
inline constexpr const char* kFields = "FLDS";
inline constexpr const char* kField = "FLD";
inline constexpr const char* kPointers = "PNTRS";
inline constexpr const char* kCloud = "CLD";
inline constexpr const char* kArrow = "ARR";
inline constexpr const char* kProtectedArea = "PRAR";
inline constexpr const char* kFieldValue = "FVAL";

// Root keys of a project, in the order the builder writes them.
inline constexpr const char* kOutputFile = "OUTPUT_FILE";
inline constexpr const char* kNoHintLine = "NO_HINT_LINE";
inline constexpr const char* kLensBorderColor = "MG_BORDER_COLOR";
inline constexpr const char* kLensDiameter = "MG_DIAMETER";
inline constexpr const char* kStripWidth = "TNP_WIDTH";
inline constexpr const char* kJpegQuality = "JPQ";
inline constexpr const char* kOutputKind = "OFT";
inline constexpr const char* kPointersInZip = "SP4ZA";
inline constexpr const char* kIcon = "HICO";
inline constexpr const char* kPassword = "PWDIM";
inline constexpr const char* kPasswordLinkText = "PWDLT";
inline constexpr const char* kPasswordLinkAddress = "PWDLH";
inline constexpr const char* kUseZip = "USE_ZIP";
// "compatible" keeps the old area cipher and digest; anything else is strong protection.
inline constexpr const char* kProtection = "PROTECTION";
inline constexpr const char* kCompatible = "compatible";
inline constexpr const char* kStrong = "strong";
// Strong protection in an archive description: Argon2id passes and memory (KiB), the
// archive's salt and the password's verifier (hexadecimal).
inline constexpr const char* kKeyPasses = "KDF_PASSES";
inline constexpr const char* kKeyMemory = "KDF_MEMORY";
inline constexpr const char* kKeySalt = "KDF_SALT";
inline constexpr const char* kKeyCheck = "KEY_CHECK";

// Frame keys.
inline constexpr const char* kFrameId = "FRAME_ID";
inline constexpr const char* kSourceFile = "SRC_FILE";
inline constexpr const char* kFooter = "FOOTER";

// Field keys.
inline constexpr const char* kFieldName = "FNAME";
inline constexpr const char* kFieldType = "FTYPE";
inline constexpr const char* kValue = "VAL";
inline constexpr const char* kBuyLink = "ISBN";

// Pointer keys, in the order written.
inline constexpr const char* kObjectId = "OBJ_ID";
inline constexpr const char* kAnchorX = "XR";
inline constexpr const char* kAnchorY = "YR";
inline constexpr const char* kLabel = "ARRTXT";
inline constexpr const char* kLeftToRight = "L2R";
inline constexpr const char* kBottomToTop = "B2T";
inline constexpr const char* kAreaWidth = "RFW";
inline constexpr const char* kAreaHeight = "RFH";
inline constexpr const char* kBrushColor = "CL_BRUSH";
inline constexpr const char* kPenColor = "CL_PEN";
inline constexpr const char* kTextColor = "CL_TXT";

// Settings keys.
inline constexpr const char* kSourceFolder = "SRC_FLDR";
inline constexpr const char* kOutputFolder = "OUTPUT_FLDR";
inline constexpr const char* kExportFolder = "EGR_ELDR";
inline constexpr const char* kDefaultTextColor = "CLR_TXT";
inline constexpr const char* kDefaultPenColor = "CLR_PEN";
inline constexpr const char* kDefaultBrushColor = "CLR_BRUSH";
inline constexpr const char* kLastProject = "LAST_PRJ";

// Field types.
inline constexpr const char* kTypeText = "text";
inline constexpr const char* kTypeMail = "mailto";
inline constexpr const char* kTypeHttp = "http";

// Flags are "Y" for true; anything else, and absence, is false.
inline constexpr const char* kYes = "Y";

}  // namespace vx::names
