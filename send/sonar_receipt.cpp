#include "send/sonar_receipt.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

// Little-endian fields at checked offsets; the callers check the lengths first.
uint32_t le(std::span<const uint8_t> bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + size_t(i)];
    }
    return value;
}
uint16_t u16(std::span<const uint8_t> b, size_t at) {
    return uint16_t(le(b, at, 2));
}
uint32_t u32(std::span<const uint8_t> b, size_t at) {
    return le(b, at, 4);
}
float f32(std::span<const uint8_t> b, size_t at) {
    return std::bit_cast<float>(u32(b, at));
}

void put(std::string& out, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out += char(value >> (8 * i) & 0xff);
    }
}
void putFloat(std::string& out, float value) {
    put(out, std::bit_cast<uint32_t>(value), 4);
}
void putDouble(std::string& out, double value) {
    put(out, std::bit_cast<uint64_t>(value), 8);
}

constexpr uint8_t kStx = 0x02, kEtx = 0x03, kSisProfileType = 0x55;
constexpr size_t kSisHead = 28, kSisPoint = 8, kSisTail = 3;
constexpr size_t kKmallHeader = 20, kKmallCommon = 28, kKmallSample = 20;
constexpr char kKmallSvpType[] = "#SVP";

uint32_t kmDate(const CastTime& t) {
    return uint32_t(t.year * 10000 + t.month * 100 + t.day);
}
uint32_t secondsOfDay(const CastTime& t) {
    return uint32_t(t.hour * 3600 + t.minute * 60 + t.second);
}

bool usable(double depth, double speed) {
    return std::isfinite(depth) && std::isfinite(speed) && depth >= 0.0 && speed > 0.0;
}

}  // namespace

std::optional<ReceivedProfile> parseSisProfileDatagram(std::span<const uint8_t> bytes) {
    if (bytes.size() < kSisHead + kSisTail || bytes[0] != kStx || bytes[1] != kSisProfileType) {
        return std::nullopt;
    }
    const size_t count = u16(bytes, 24);
    const uint16_t resolutionCm = u16(bytes, 26);
    const size_t etx = kSisHead + count * kSisPoint;
    // A sonar may pad a datagram to an even length after the checksum.
    if (resolutionCm == 0 || etx + kSisTail > bytes.size() || bytes.size() > etx + kSisTail + 1 ||
        bytes[etx] != kEtx) {
        return std::nullopt;
    }
    uint32_t sum = 0;
    for (size_t i = 1; i < etx; ++i) {
        sum += bytes[i];
    }
    if (uint16_t(sum) != u16(bytes, etx + 1)) {
        return std::nullopt;
    }
    ReceivedProfile profile;
    profile.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kSisHead + i * kSisPoint;
        profile.push_back(
            {double(u32(bytes, at)) * resolutionCm / 100.0, double(u32(bytes, at + 4)) / 10.0});
    }
    return profile;
}

std::optional<ReceivedProfile> parseKmallSvp(std::span<const uint8_t> bytes) {
    if (bytes.size() < kKmallHeader + kKmallCommon + 4 ||
        !std::equal(kKmallSvpType, kKmallSvpType + 4, bytes.begin() + 4) ||
        u32(bytes, 0) != bytes.size() || u32(bytes, bytes.size() - 4) != bytes.size()) {
        return std::nullopt;
    }
    const size_t commonSize = u16(bytes, kKmallHeader);
    const size_t count = u16(bytes, kKmallHeader + 2);
    const size_t samples = kKmallHeader + commonSize;
    if (commonSize < kKmallCommon || samples + count * kKmallSample + 4 > bytes.size()) {
        return std::nullopt;
    }
    ReceivedProfile profile;
    profile.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = samples + i * kKmallSample;
        const double depth = f32(bytes, at), speed = f32(bytes, at + 4);
        if (!usable(depth, speed)) {
            return std::nullopt;
        }
        profile.push_back({depth, speed});
    }
    return profile;
}

std::optional<ReceivedProfile> parseSonarReceipt(std::span<const uint8_t> bytes) {
    if (!bytes.empty() && bytes[0] == kStx) {
        return parseSisProfileDatagram(bytes);
    }
    return parseKmallSvp(bytes);
}

std::string sisProfileDatagram(std::span<const ProfilePoint> points, const CastTime& utc) {
    std::string out;
    out += char(kStx);
    out += char(kSisProfileType);
    put(out, 2040, 2);  // an EM 2040
    put(out, kmDate(utc), 4);
    put(out, secondsOfDay(utc) * 1000u, 4);
    put(out, 1, 2);    // counter
    put(out, 100, 2);  // serial number
    put(out, kmDate(utc), 4);
    put(out, secondsOfDay(utc), 4);
    put(out, points.size(), 2);
    put(out, 1, 2);  // depths in cm
    for (const ProfilePoint& point : points) {
        put(out, uint32_t(std::llround(point.depth * 100.0)), 4);
        put(out, uint32_t(std::llround(point.soundVelocity * 10.0)), 4);
    }
    uint32_t sum = 0;
    for (size_t i = 1; i < out.size(); ++i) {
        sum += uint8_t(out[i]);
    }
    out += char(kEtx);
    put(out, uint16_t(sum), 2);
    return out;
}

std::string kmallSvpDatagram(std::span<const ProfilePoint> points, const CastTime& utc) {
    const size_t size = kKmallHeader + kKmallCommon + points.size() * kKmallSample + 4;
    const int64_t seconds = secondsSinceEpoch(utc);
    std::string out;
    put(out, size, 4);
    out += kKmallSvpType;
    put(out, 1, 1);     // datagram version
    put(out, 0, 1);     // system id
    put(out, 2040, 2);  // echo sounder id
    put(out, uint64_t(seconds), 4);
    put(out, 0, 4);
    put(out, kKmallCommon, 2);
    put(out, points.size(), 2);
    out += std::string("S01", 4);  // the sensor format, NUL-padded
    put(out, uint64_t(seconds), 4);
    putDouble(out, 0.0);
    putDouble(out, 0.0);
    for (const ProfilePoint& point : points) {
        putFloat(out, float(point.depth));
        putFloat(out, float(point.soundVelocity));
        put(out, 0, 4);
        putFloat(out, float(point.temperature));
        putFloat(out, 0.0f);
    }
    put(out, size, 4);
    return out;
}

ReceiptCheck checkReceipt(std::span<const ProfilePoint> sent, const ReceivedProfile& received) {
    ReceiptCheck check;
    const auto deeper = [](const ReceivedPoint& a, const ReceivedPoint& b) {
        return a.depth < b.depth;
    };
    if (sent.empty() || received.empty() ||
        !std::is_sorted(received.begin(), received.end(), deeper)) {
        check.largestDifference = std::numeric_limits<double>::infinity();
        return check;
    }
    for (const ProfilePoint& point : sent) {
        // The first received point at or below this depth, and the one above it.
        const auto below =
            std::lower_bound(received.begin(), received.end(), point.depth,
                             [](const ReceivedPoint& r, double depth) { return r.depth < depth; });
        double difference = std::numeric_limits<double>::infinity();
        if (below != received.end()) {
            double speed = below->soundSpeed;
            if (below != received.begin() && below->depth > point.depth) {
                const ReceivedPoint& above = *(below - 1);
                const double share = (point.depth - above.depth) / (below->depth - above.depth);
                speed = above.soundSpeed + share * (below->soundSpeed - above.soundSpeed);
            } else if (below->depth > point.depth) {
                speed = std::numeric_limits<double>::infinity();  // above the received profile
            }
            difference = std::abs(speed - point.soundVelocity);
        }
        if (!(difference <= check.largestDifference)) {
            check.largestDifference = difference;
            check.atDepth = point.depth;
        }
    }
    check.confirmed = check.largestDifference < kReceiptTolerance;
    return check;
}

}  // namespace quorvane
