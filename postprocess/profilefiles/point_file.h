#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// Outcome of a save or load; `message` is set whenever something must be shown.
struct PointFileResult {
    bool ok = false;
    std::optional<Message> message;
};

// .prf: the fitted profile's byte image, 24-byte records of three little-endian doubles.
PointFileResult SaveProfileFile(const std::string& path, const std::vector<ProfilePoint>& points);
PointFileResult LoadProfileFile(const std::string& path, std::vector<ProfilePoint>& points);

// .asvf: the average table's byte image, 16-byte records of two little-endian doubles.
PointFileResult SaveAverageFile(const std::string& path, const std::vector<AveragePoint>& points);
PointFileResult LoadAverageFile(const std::string& path, std::vector<AveragePoint>& points);

}  // namespace quorvane
