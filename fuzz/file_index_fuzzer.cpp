// The device's file index as the line may bring it: the whole reply and each line alone, and
// the file list's row made of a line.
#include <algorithm>
#include <string_view>

#include "device/operations/file_row.h"
#include "device/protocol/file_index.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    if (const auto line = parseFileIndexLine(reply)) {
        fuzz::require(line->name.size() + line->size.size() + line->number.size() <= size,
                      "a line's fields are parts of it");
        const LocalDateTime when = fatDateTime(line->dateWord, line->timeWord);
        fuzz::require(when.year >= 1980 && when.year <= 1980 + 127 && when.second <= 62,
                      "a FAT date and time stay in their bit fields");
        const FileRow row = AddFileRow(*line);
        for (const std::string* text : {&row.number, &row.name, &row.size, &row.date}) {
            fuzz::require(fuzz::isUtf8(*text), "a row shows UTF-8");
        }
    }
    if (const auto index = parseFileIndex(reply)) {
        fuzz::require(index->lines.size() <= size_t(std::count(reply.begin(), reply.end(), '\n')),
                      "no more file lines than lines");
    }
    return 0;
}
