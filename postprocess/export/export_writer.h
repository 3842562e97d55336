#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "common/message.h"
#include "postprocess/export/export_format.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

struct ExportOptions {
    ExportFormat format = ExportFormat::Csv;
    bool english = false;  // English header lines; Chinese ones are written as GBK
    bool filterEnabled = false;
    float filterDepth = 0.5f;
};

struct ExportResult {
    bool ok = false;
    std::string path;                // the path written, its extension applied
    size_t rowsWritten = 0;          // data rows, header lines not counted
    std::optional<Message> failure;  // set exactly when !ok
};

// Writes raw or fitted points in the format's header, columns and separator. Lines end in
// CR LF on every platform; numbers have three decimals and a point. The file is created or
// truncated; a file that cannot be created or written completely is reported, never left
// looking like a finished export without a word.
ExportResult exportProfile(std::span<const ProfilePoint> points, const std::string& chosenPath,
                           const ExportOptions& options);

// Writes the average table, headed by the start depth, in a format that has a form of it; any
// other format is refused without touching the disk.
ExportResult exportAverage(std::span<const AveragePoint> points, float averageStartDepth,
                           const std::string& chosenPath, const ExportOptions& options);

}  // namespace quorvane
