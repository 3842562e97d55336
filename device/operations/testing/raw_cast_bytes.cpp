#include "device/operations/testing/raw_cast_bytes.h"

#include "common/raw_format.h"

namespace quorvane {

std::string rawCastBytes(size_t size, int jumpAt, int jump) {
    const RawFileHeader header = RawFileHeader::make(12345678, 1.025f, 30.0f, 0.5f, "V1.2.0");
    std::string bytes(header.bytes.begin(), header.bytes.end());
    for (int n = 1; bytes.size() < size; ++n) {
        const int number = jumpAt > 0 && n >= jumpAt ? n + jump : n;
        const RawRecord record = RawRecord::make(number, 1480.0f + n * 0.01f, 15.0f, 1.0f + n);
        bytes.append(record.bytes.begin(), record.bytes.end());
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace quorvane
