#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::sim {

inline constexpr size_t kMaxFramePayload = 512;

// Low 8 bits of the byte sum of the frame header and payload.
uint8_t blockFrameChecksum(std::string_view headerAndPayload);

// AA 55, payload length (16-bit little-endian), payload, checksum. The payload must not
// exceed 65535 bytes; the instrument never sends more than 512.
std::string encodeBlockFrame(std::string_view payload);

}  // namespace quorvane::sim
