#include "library/cast_facts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quorvane {

namespace {

void appendDouble(std::string& out, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        out.push_back(char(uint8_t(bits >> (8 * i))));
    }
}

double readDouble(const char* p) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        bits |= uint64_t(uint8_t(p[i])) << (8 * i);
    }
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

std::optional<CastFacts> castFacts(std::span<const ProfilePoint> profile) {
    if (profile.empty()) {
        return std::nullopt;
    }
    // A fitted profile goes down, but the facts must not depend on it.
    std::vector<ProfilePoint> points(profile.begin(), profile.end());
    std::stable_sort(
        points.begin(), points.end(),
        [](const ProfilePoint& a, const ProfilePoint& b) { return a.depth < b.depth; });
    CastFacts facts;
    facts.maximumDepth = points.back().depth;
    facts.surfaceSoundVelocity = points.front().soundVelocity;
    facts.minimumSoundVelocity = facts.maximumSoundVelocity = points.front().soundVelocity;
    facts.minimumTemperature = facts.maximumTemperature = points.front().temperature;
    double inverseSum = 0.0;
    double travelTime = 0.0;
    for (size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& point = points[i];
        facts.minimumSoundVelocity = std::min(facts.minimumSoundVelocity, point.soundVelocity);
        facts.maximumSoundVelocity = std::max(facts.maximumSoundVelocity, point.soundVelocity);
        facts.minimumTemperature = std::min(facts.minimumTemperature, point.temperature);
        facts.maximumTemperature = std::max(facts.maximumTemperature, point.temperature);
        inverseSum += 1.0 / point.soundVelocity;
        if (i > 0) {
            const double layer = point.depth - points[i - 1].depth;
            travelTime += layer / ((point.soundVelocity + points[i - 1].soundVelocity) / 2.0);
        }
    }
    const double range = points.back().depth - points.front().depth;
    facts.harmonicMeanSoundVelocity =
        range > 0.0 ? range / travelTime : double(points.size()) / inverseSum;
    return facts;
}

std::string profileBytes(std::span<const ProfilePoint> profile) {
    std::string bytes;
    bytes.reserve(profile.size() * sizeof(ProfilePoint));
    for (const ProfilePoint& point : profile) {
        appendDouble(bytes, point.depth);
        appendDouble(bytes, point.soundVelocity);
        appendDouble(bytes, point.temperature);
    }
    return bytes;
}

std::vector<ProfilePoint> profileFromBytes(std::string_view bytes) {
    std::vector<ProfilePoint> profile(bytes.size() / sizeof(ProfilePoint));
    for (size_t i = 0; i < profile.size(); ++i) {
        const char* record = bytes.data() + i * sizeof(ProfilePoint);
        profile[i] = {readDouble(record), readDouble(record + 8), readDouble(record + 16)};
    }
    return profile;
}

}  // namespace quorvane
