#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvane {

// The binary frame of a file transfer: 0xAA 0x55, payload length N (16 bits, little-endian),
// N payload bytes, and the low 8 bits of the sum of everything before it.
namespace BlockFrame {
inline constexpr uint8_t kSync1 = 0xAA;
inline constexpr uint8_t kSync2 = 0x55;
inline constexpr size_t kHeaderSize = 4;
inline constexpr size_t kOverhead = 5;  // header and checksum
inline constexpr size_t kMaxPayload = 512;
// Reads accumulate in a buffer of this size; a frame with what came before it must fit below it.
inline constexpr size_t kBufferSize = 1024;
}  // namespace BlockFrame

// The bytes of a frame around a payload (which must not exceed 65535 bytes).
std::vector<uint8_t> makeBlockFrame(std::span<const uint8_t> payload);

// Header helpers over received bytes that hold at least the 4 header bytes.
bool hasFrameSync(std::span<const uint8_t> bytes);
size_t framePayloadLength(std::span<const uint8_t> bytes);
// The low 8 bits of the sum of bytes 0 to 3 + N; the bytes must hold them.
uint8_t frameChecksum(std::span<const uint8_t> bytes, size_t payloadLength);

// The record number of the first raw record in the bytes that starts with 0xCC 0xDD 0x00 0x00
// and carries a matching checksum; positions j with j + 36 < bytes.size() are looked at.
std::optional<int32_t> firstRecordNumber(std::span<const uint8_t> bytes);

}  // namespace quorvane
