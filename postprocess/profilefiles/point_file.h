#pragma once

#include <optional>
#include <string>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// Why a save or load failed; the caller words it (point_file_messages.h).
enum class PointFileProblem {
    NoData,  // nothing to save
    CannotCreate,
    WriteIncomplete,  // the file is there but short (a full disk)
    ReadFailed,       // a failed read keeps what was read
};

struct PointFileResult {
    bool ok = false;
    std::optional<PointFileProblem> problem;  // set exactly when !ok
};

// .prf: the fitted profile's byte image, 24-byte records of three little-endian doubles.
PointFileResult SaveProfileFile(const std::string& path, const std::vector<ProfilePoint>& points);
PointFileResult LoadProfileFile(const std::string& path, std::vector<ProfilePoint>& points);

// .asvf: the average table's byte image, 16-byte records of two little-endian doubles.
PointFileResult SaveAverageFile(const std::string& path, const std::vector<AveragePoint>& points);
PointFileResult LoadAverageFile(const std::string& path, std::vector<AveragePoint>& points);

}  // namespace quorvane
