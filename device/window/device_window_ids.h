#pragma once

// Identifiers of QuorvaneDevice's window template 102, shared by the built-in Chinese template
// and the English language library (Duvrelan): controls keep the numbers users' support notes
// refer to; labels and group boxes, which need no number to work, get numbers here only so
// that the library can caption them.
namespace quorvane::deviceids {

inline constexpr int kMainDialog = 102;

// Controls.
inline constexpr int kSetButton = 1000;
inline constexpr int kFileListButton = 1002;
inline constexpr int kDepthIntervalEdit = 1003;
inline constexpr int kClearButton = 1004;
inline constexpr int kFreeMemoryEdit = 1005;
inline constexpr int kClearFilesButton = 1007;
inline constexpr int kUsedMemoryEdit = 1011;
inline constexpr int kDensityEdit = 1014;
inline constexpr int kLatitudeEdit = 1015;
inline constexpr int kReadTimeButton = 1016;
inline constexpr int kExportButton = 1019;
inline constexpr int kDeleteButton = 1020;
inline constexpr int kConnectButton = 1021;
inline constexpr int kFileList = 1022;
// Added below the template's controls, which keep their places.
inline constexpr int kRecordNavigationCheck = 1030;
inline constexpr int kNavigationSourceEdit = 1031;
inline constexpr int kNavigationStatus = 1032;

// Labels and group boxes.
inline constexpr int kDensityLabel = 1101;
inline constexpr int kDensityUnit = 1102;
inline constexpr int kLatitudeLabel = 1103;
inline constexpr int kLatitudeUnit = 1104;
inline constexpr int kDepthIntervalLabel = 1105;
inline constexpr int kDepthIntervalUnit = 1106;
inline constexpr int kFreeMemoryLabel = 1107;
inline constexpr int kUsedMemoryLabel = 1108;
inline constexpr int kDeviceGroup = 1111;
inline constexpr int kSettingsGroup = 1112;
inline constexpr int kMemoryGroup = 1113;
inline constexpr int kFileGroup = 1114;

}  // namespace quorvane::deviceids
