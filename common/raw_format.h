#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorvane {

inline constexpr size_t kRawHeaderSize = 72;
inline constexpr size_t kRawRecordSize = 36;
inline constexpr uint8_t kRecordSync1 = 0xCC;
inline constexpr uint8_t kRecordSync2 = 0xDD;

// Little-endian field access, independent of the host's byte order.
inline uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t readI32(const uint8_t* p) {
    return static_cast<int32_t>(readU32(p));
}
inline float readF32(const uint8_t* p) {
    const uint32_t bits = readU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline void writeU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void writeF32(uint8_t* p, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeU32(p, bits);
}

// Low 8 bits of the sum of the first 35 bytes: the record's own checksum byte. Every record of
// a cast is checked, so the first 32 bytes are summed eight at a time in 16-bit lanes.
inline uint8_t recordChecksum(const uint8_t* record) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
    uint64_t lanes = 0;
    for (size_t i = 0; i < 32; i += 8) {
        uint64_t word;
        std::memcpy(&word, record + i, sizeof word);
        lanes += (word & kLowBytes) + ((word >> 8) & kLowBytes);
    }
    // Each 16-bit lane holds at most 8 × 255; the multiply adds the four lanes into the top one.
    const unsigned sum = static_cast<unsigned>((lanes * 0x0001000100010001ull) >> 48) + record[32] +
                         record[33] + record[34];
    return static_cast<uint8_t>(sum);
}

// The 72-byte header the instrument writes at the start of every cast.
struct RawFileHeader {
    std::array<uint8_t, kRawHeaderSize> bytes{};

    int32_t deviceId() const { return readI32(&bytes[4]); }
    float density() const { return readF32(&bytes[12]); }
    float latitude() const { return readF32(&bytes[16]); }
    float depthInterval() const { return readF32(&bytes[20]); }
    // Ends at the first NUL or after eight characters: the field need not be terminated.
    std::string firmwareVersion() const {
        const char* text = reinterpret_cast<const char*>(&bytes[28]);
        return std::string(text, strnlen(text, 8));
    }

    static RawFileHeader make(int32_t deviceId, float density, float latitude, float depthInterval,
                              const std::string& firmware);
};

// One 36-byte sample record, kept whole as the instrument wrote it.
struct RawRecord {
    std::array<uint8_t, kRawRecordSize> bytes{};

    int32_t recordNumber() const { return readI32(&bytes[4]); }
    float soundVelocity() const { return readF32(&bytes[16]); }
    float temperature() const { return readF32(&bytes[20]); }
    float pressure() const { return readF32(&bytes[24]); }

    // A well-formed record with the sync bytes and a correct checksum.
    static RawRecord make(int32_t recordNumber, float soundVelocity, float temperature,
                          float pressure);
};
// The reader fills arrays of records straight from the file.
static_assert(sizeof(RawRecord) == kRawRecordSize);

// True when the 36 bytes at p start with the sync pair and carry a matching checksum.
inline bool isValidRecord(const uint8_t* p) {
    return p[0] == kRecordSync1 && p[1] == kRecordSync2 && recordChecksum(p) == p[35];
}

}  // namespace quorvane
