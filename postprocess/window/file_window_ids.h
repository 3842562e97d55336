#pragma once

// Identifiers of QuorvaneFile's window templates, shared by the built-in Chinese templates and
// the English language library (Ostrelan): controls and menu items keep the numbers users'
// support notes refer to; labels, group boxes and popups, which need no number of their own to
// work, get numbers here only so that the library can caption them.
namespace quorvane::fileids {

// Templates: the key of a template's caption is its own number.
inline constexpr int kMainDialog = 102;
inline constexpr int kStartDepthDialog = 130;

// Main window controls.
inline constexpr int kFileList = 1002;
inline constexpr int kDensityEdit = 1003;
inline constexpr int kLatitudeEdit = 1004;
inline constexpr int kDepthIntervalEdit = 1005;
inline constexpr int kResetButton = 1006;
inline constexpr int kDataList = 1007;
inline constexpr int kFilterDepthEdit = 1010;
inline constexpr int kExportRawButton = 1011;
inline constexpr int kExportFittingButton = 1012;
inline constexpr int kExportAverageButton = 1013;
inline constexpr int kFilterCheck = 1014;
inline constexpr int kEnableSettingsCheck = 1016;

// Main window labels and group boxes.
inline constexpr int kFileGroup = 1101;
inline constexpr int kDensityLabel = 1102;
inline constexpr int kDensityUnit = 1103;
inline constexpr int kLatitudeLabel = 1104;
inline constexpr int kLatitudeUnit = 1105;
inline constexpr int kDepthIntervalLabel = 1106;
inline constexpr int kDepthIntervalUnit = 1107;
inline constexpr int kDataListLabel = 1108;
inline constexpr int kExportGroup = 1109;
inline constexpr int kFilterDepthUnit = 1110;

// Start-depth dialog.
inline constexpr int kOkButton = 1;
inline constexpr int kStartDepthEdit = 1009;
inline constexpr int kStartDepthLabel = 1131;
inline constexpr int kStartDepthUnit = 1132;

// Menu 129: the two popups, then the items.
inline constexpr int kFilePopup = 1290;
inline constexpr int kAnalysisPopup = 1291;
inline constexpr int kImportRawFile = 32772;
inline constexpr int kCastSvp = 32774;
inline constexpr int kCastTemp = 32775;
inline constexpr int kFittedSvp = 32777;
inline constexpr int kFittedTemp = 32778;
inline constexpr int kAverage = 32779;
inline constexpr int kSaveProfileFile = 32783;
inline constexpr int kSaveAverageFile = 32784;
inline constexpr int kSaveGraphics = 32785;
inline constexpr int kImportProfileFile = 32798;
inline constexpr int kImportAverageFile = 32800;
inline constexpr int kDeleteSelectedFile = 32802;
// Added after the original items, with a number of its own.
inline constexpr int kSendToAcquisition = 32810;
inline constexpr int kCastLibrary = 32811;

}  // namespace quorvane::fileids
