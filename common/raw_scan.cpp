#include "common/raw_scan.h"

#include "common/file_io.h"

namespace quorvane {

std::optional<uint64_t> countValidRecords(const std::string& path) {
    FileHandle file = openFile(path, "rb");
    if (!file || !seekTo(file.get(), 0, SEEK_END)) {
        return std::nullopt;
    }
    const int64_t size = tellPosition(file.get());
    uint64_t count = 0;
    if (size > static_cast<int64_t>(kRawHeaderSize) &&
        seekTo(file.get(), static_cast<int64_t>(kRawHeaderSize), SEEK_SET)) {
        scanRecords(file.get(), static_cast<uint64_t>(size) - kRawHeaderSize,
                    [&](const uint8_t*) { ++count; });
    }
    return count;
}

}  // namespace quorvane
