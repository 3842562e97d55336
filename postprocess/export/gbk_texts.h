#pragma once

#include <array>
#include <string_view>

namespace quorvane {

// A Chinese text of the export files: survey tools on Chinese Windows read these files in
// code page 936, so the bytes written are GBK while the source keeps the readable UTF-8 beside
// them. Fixed bytes spare the library a runtime codec; a test checks each pair with the system
// codec.
struct GbkText {
    std::string_view utf8;
    std::string_view gbk;
};

inline constexpr GbkText kGbkProfileHeader{"深度,声速,温度",
                                           "\xC9\xEE\xB6\xC8,\xC9\xF9\xCB\xD9,\xCE\xC2\xB6\xC8"};
inline constexpr GbkText kGbkBeginDepthLabel{"起始深度,", "\xC6\xF0\xCA\xBC\xC9\xEE\xB6\xC8,"};
inline constexpr GbkText kGbkAverageHeader{"深度,声速", "\xC9\xEE\xB6\xC8,\xC9\xF9\xCB\xD9"};

inline constexpr std::array kGbkTexts{kGbkProfileHeader, kGbkBeginDepthLabel, kGbkAverageHeader};

}  // namespace quorvane
