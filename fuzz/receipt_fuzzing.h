#pragma once

#include <cmath>
#include <optional>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "send/sonar_receipt.h"

namespace quorvane::fuzz {

// What any parsed receipt must be: real depths and speeds, and, when its depths rise, a profile
// that checks against itself.
inline void checkReceipt(const std::optional<ReceivedProfile>& received) {
    if (!received) {
        return;
    }
    std::vector<ProfilePoint> sent;
    bool rising = true;
    for (const ReceivedPoint& point : *received) {
        require(std::isfinite(point.depth) && point.depth >= 0.0 &&
                    std::isfinite(point.soundSpeed) && point.soundSpeed >= 0.0,
                "real depths and speeds");
        rising = rising && (sent.empty() || point.depth > sent.back().depth);
        sent.push_back({point.depth, point.soundSpeed, 0.0});
    }
    if (rising && !sent.empty()) {
        const ReceiptCheck check = checkReceipt(sent, *received);
        require(check.confirmed && check.largestDifference == 0.0,
                "a profile checks against itself");
    }
}

}  // namespace quorvane::fuzz
