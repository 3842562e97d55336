#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// Size of a file in bytes, or -1 when it cannot be opened. 64-bit: casts over 2 GiB are real.
int64_t FileSizeOf(const std::string& path);

// What went wrong while reading a raw cast; the caller words it (raw_cast_messages.h).
enum class RawLoadProblem {
    FileSizeError,  // no regular file, or no record after the header
    SizeUnknown,    // the size could not be read; the open is still tried
    CannotOpen,
};

struct RawLoadResult {
    std::vector<RawLoadProblem> problems;  // to show, in this order
    bool headerApplied = false;            // density, latitude, depth interval and title were taken
    bool scanned = false;                  // records were scanned: the reduction should follow
    Text title;                            // window title with the device identity
    RawFileHeader header;
};

// Reads a raw cast into `data`: the header's settings replace the reduction settings, the valid
// records go to rawRecords and the surface records are folded into surfacePressure.
// The caller runs the reduction when `scanned` is set.
RawLoadResult LoadRawFile(CastData& data, const std::string& path);

// The identity line of the window title for a header.
Text deviceTitle(const RawFileHeader& header);

}  // namespace quorvane
