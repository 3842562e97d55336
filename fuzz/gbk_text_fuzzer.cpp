// Instrument text as the line may bring it, decoded from GBK: always UTF-8, ASCII untouched,
// and printable on a terminal once made so.
#include <algorithm>
#include <string>
#include <string_view>

#include "common/gbk_text.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = gbkToUtf8(bytes);
    fuzz::require(fuzz::isUtf8(decoded), "GBK decodes to UTF-8");
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; })) {
        fuzz::require(decoded == bytes, "ASCII comes back unchanged");
    }
    const std::string printable = printableText(decoded);
    fuzz::require(fuzz::isUtf8(printable), "printable text is UTF-8");
    for (const unsigned char c : printable) {
        fuzz::require(c >= 0x20 && c != 0x7F, "printable text has no control byte");
    }
    return 0;
}
