#include "device/protocol/block_frame.h"

#include <algorithm>

#include "common/raw_format.h"

namespace quorvane {

std::vector<uint8_t> makeBlockFrame(std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame(payload.size() + BlockFrame::kOverhead);
    frame[0] = BlockFrame::kSync1;
    frame[1] = BlockFrame::kSync2;
    frame[2] = uint8_t(payload.size());
    frame[3] = uint8_t(payload.size() >> 8);
    std::copy(payload.begin(), payload.end(), frame.begin() + BlockFrame::kHeaderSize);
    frame.back() = frameChecksum(frame, payload.size());
    return frame;
}

bool hasFrameSync(std::span<const uint8_t> bytes) {
    return bytes[0] == BlockFrame::kSync1 && bytes[1] == BlockFrame::kSync2;
}

size_t framePayloadLength(std::span<const uint8_t> bytes) {
    return size_t(bytes[2]) | size_t(bytes[3]) << 8;
}

uint8_t frameChecksum(std::span<const uint8_t> bytes, size_t payloadLength) {
    unsigned sum = 0;
    for (size_t i = 0; i < BlockFrame::kHeaderSize + payloadLength; ++i) {
        sum += bytes[i];
    }
    return uint8_t(sum);
}

std::optional<int32_t> firstRecordNumber(std::span<const uint8_t> bytes) {
    for (size_t j = 0; j + kRawRecordSize < bytes.size(); ++j) {
        const uint8_t* p = bytes.data() + j;
        if (p[2] == 0 && p[3] == 0 && isValidRecord(p)) {
            return readI32(p + 4);
        }
    }
    return std::nullopt;
}

}  // namespace quorvane
