#include "common/raw_format.h"

#include <algorithm>

namespace quorvane {

RawFileHeader RawFileHeader::make(int32_t deviceId, float density, float latitude,
                                  float depthInterval, const std::string& firmware) {
    RawFileHeader header;
    writeU32(&header.bytes[4], static_cast<uint32_t>(deviceId));
    writeF32(&header.bytes[12], density);
    writeF32(&header.bytes[16], latitude);
    writeF32(&header.bytes[20], depthInterval);
    std::copy_n(firmware.begin(), std::min<size_t>(firmware.size(), 8), &header.bytes[28]);
    return header;
}

RawRecord RawRecord::make(int32_t recordNumber, float soundVelocity, float temperature,
                          float pressure) {
    RawRecord record;
    record.bytes[0] = kRecordSync1;
    record.bytes[1] = kRecordSync2;
    writeU32(&record.bytes[4], static_cast<uint32_t>(recordNumber));
    writeF32(&record.bytes[16], soundVelocity);
    writeF32(&record.bytes[20], temperature);
    writeF32(&record.bytes[24], pressure);
    record.bytes[35] = recordChecksum(record.bytes.data());
    return record;
}

}  // namespace quorvane
