#pragma once

// Identifiers of the launcher's window template, shared by the built-in Chinese template and the
// English language library (Cantrelan). The two labels need no number to work; they get one
// here only so that the library can caption them.
namespace quorvane::launcherids {

inline constexpr int kMainDialog = 102;
inline constexpr int kDeviceButton = 1000;
inline constexpr int kFileButton = 1001;
inline constexpr int kPictureFrame = 1002;
inline constexpr int kDeviceLabel = 1101;
inline constexpr int kFileLabel = 1102;

}  // namespace quorvane::launcherids
