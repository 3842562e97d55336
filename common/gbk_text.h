#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The instrument's texts (file names above all) are bytes in its code page, GBK as code page
// 936 has it. Returns them as UTF-8; a byte that does not begin a valid GBK character becomes
// "_", so a damaged name still shows, and never as bytes a terminal or a path would misread.
// Pure ASCII comes back unchanged without touching the platform's codec.
std::string gbkToUtf8(std::string_view bytes);

}  // namespace quorvane
