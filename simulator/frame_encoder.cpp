#include "simulator/frame_encoder.h"

namespace quorvane::sim {

uint8_t blockFrameChecksum(std::string_view headerAndPayload) {
    unsigned sum = 0;
    for (const char byte : headerAndPayload) {
        sum += static_cast<uint8_t>(byte);
    }
    return static_cast<uint8_t>(sum);
}

std::string encodeBlockFrame(std::string_view payload) {
    std::string frame;
    frame.reserve(payload.size() + 5);
    frame.push_back(static_cast<char>(0xAA));
    frame.push_back(static_cast<char>(0x55));
    frame.push_back(static_cast<char>(payload.size() & 0xFF));
    frame.push_back(static_cast<char>((payload.size() >> 8) & 0xFF));
    frame.append(payload);
    frame.push_back(static_cast<char>(blockFrameChecksum(frame)));
    return frame;
}

}  // namespace quorvane::sim
