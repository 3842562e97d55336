// A device's file name, date text and ID as the line may bring them, made into the names a
// download writes under: each must be one safe path component.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/gbk_text.h"
#include "device/operations/output_naming.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

namespace {

void requireOneSafeComponent(const std::string& name) {
    fuzz::require(!name.empty() && name.size() <= kMaxComponentBytes, "a name of 1 to 255 bytes");
    fuzz::require(fuzz::isUtf8(name), "a name is UTF-8");
    for (const unsigned char c : name) {
        fuzz::require(c >= 0x20 && c != 0x7F &&
                          std::string_view("/\\:*?\"<>|").find(char(c)) == std::string_view::npos,
                      "no separator, control or forbidden character");
    }
    fuzz::require(name != "." && name != ".." && name.back() != '.' && name.back() != ' ',
                  "no dot name and no trailing dot or blank");
    const std::filesystem::path path = pathFromUtf8(name);
    fuzz::require(std::distance(path.begin(), path.end()) == 1 && utf8OfPath(path) == name,
                  "one path element");
    fuzz::require(safePathComponent(name) == name, "a safe name is kept as it is");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string date = input.ConsumeRandomLengthString(40);
    const int attempt = input.ConsumeIntegralInRange<int>(0, 100000);
    const std::string reported = input.ConsumeRemainingBytesAsString();

    requireOneSafeComponent(safePathComponent(reported));
    // As a download names its file: the device's bytes decoded, after the list's date.
    const std::string shown = gbkToUtf8(reported);
    requireOneSafeComponent(outputFileName(dateTextForFileName(date), shown, attempt));
    const std::filesystem::path base = "work";
    fuzz::require(deviceDataFolder(base, reported).parent_path() == base / "Data",
                  "a device's folder lies directly under Data");
    return 0;
}
