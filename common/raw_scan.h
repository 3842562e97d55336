#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/raw_format.h"

// The record scan of a raw cast, shared by the post-processing load and the download's check of
// what it wrote, so that "valid records" means the same on both sides.
namespace quorvane {

// Read in slices rather than one buffer the size of the file: the scan is the same, and a
// multi-gigabyte cast does not need its own size in memory on top of its records.
inline constexpr size_t kScanSliceSize = size_t(4) << 20;

// Scans bytes [0, end) of `buf` from index `i`, handing each valid record to `onRecord`;
// returns the index the scan stopped at (the first index where a whole record no longer fits).
template <typename OnRecord>
size_t scanSlice(const uint8_t* buf, size_t end, size_t i, OnRecord& onRecord) {
    while (i + kRawRecordSize <= end) {
        if (buf[i] != kRecordSync1) {
            // Garbage and zero-filled stretches are passed one byte at a time; jumping to the
            // next candidate sync byte is the same walk, only quicker.
            const void* next = std::memchr(buf + i + 1, kRecordSync1, end - kRawRecordSize - i);
            i = next ? static_cast<size_t>(static_cast<const uint8_t*>(next) - buf)
                     : end - kRawRecordSize + 1;
            continue;
        }
        if (buf[i + 1] != kRecordSync2) {
            ++i;
            continue;
        }
        const uint8_t* p = buf + i;
        if (recordChecksum(p) != p[35]) {
            i += 2;
            continue;
        }
        onRecord(p);
        i += kRawRecordSize;
    }
    return i;
}

// Scans the `remaining` bytes after the header, where `file` stands, slice by slice.
template <typename OnRecord>
void scanRecords(std::FILE* file, uint64_t remaining, OnRecord onRecord) {
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<uint64_t>(remaining, kScanSliceSize)) +
                             kRawRecordSize);
    size_t filled = 0;
    size_t i = 0;
    while (true) {
        // Keep the unscanned tail (shorter than a record) in front of the next slice.
        std::memmove(buf.data(), buf.data() + i, filled - i);
        filled -= i;
        i = 0;
        const size_t want = static_cast<size_t>(std::min<uint64_t>(remaining, kScanSliceSize));
        const size_t got = want ? std::fread(buf.data() + filled, 1, want, file) : 0;
        filled += got;
        remaining -= got;
        i = scanSlice(buf.data(), filled, i, onRecord);
        if (got < want || remaining == 0) {
            break;
        }
    }
}

// The number of valid records after the header of the raw cast at `path` (UTF-8); nothing when
// the file cannot be read.
std::optional<uint64_t> countValidRecords(const std::string& path);

}  // namespace quorvane
