#include "simulator/frame_faults.h"

#include "common/raw_format.h"
#include "simulator/frame_encoder.h"

namespace quorvane::sim {

void shiftRecordNumbers(std::string& bytes, int by) {
    auto* data = reinterpret_cast<uint8_t*>(bytes.data());
    size_t i = 0;
    while (i + kRawRecordSize <= bytes.size()) {
        uint8_t* record = data + i;
        if (!isValidRecord(record)) {
            ++i;
            continue;
        }
        writeU32(record + 4, readU32(record + 4) + static_cast<uint32_t>(by));
        record[35] = recordChecksum(record);
        i += kRawRecordSize;
    }
}

FaultedFrame spoilFrame(std::string payload, const FrameFaults& faults) {
    if (faults.drop) {
        return {};
    }
    if (faults.gapRecords != 0) {
        shiftRecordNumbers(payload, faults.gapRecords);
    }
    FaultedFrame out{encodeBlockFrame(payload), false};
    constexpr size_t kHeader = 4;
    // Flipping one bit changes the byte sum by a power of two below 256, so the checksum is
    // sure to disagree.
    if (faults.noisyPayloadByte && *faults.noisyPayloadByte < payload.size()) {
        out.bytes[kHeader + *faults.noisyPayloadByte] ^= 0x10;
    }
    if (faults.badChecksum) {
        out.bytes.back() = static_cast<char>(~static_cast<uint8_t>(out.bytes.back()));
    }
    if (faults.hangupReplugMs) {
        out.bytes.resize(out.bytes.size() / 2);
        out.hangUpAfter = true;
    }
    return out;
}

}  // namespace quorvane::sim
