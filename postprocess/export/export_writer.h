#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "postprocess/export/export_failure.h"
#include "postprocess/export/export_format.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

struct ExportOptions {
    ExportFormat format = ExportFormat::Csv;
    bool english = false;  // English header lines; Chinese ones are written as GBK
    bool filterEnabled = false;
    float filterDepth = 0.5f;
    CastInfo cast{};       // what the acquisition formats write of the cast
    bool samples = false;  // the raw samples, which go down and up again
    bool append = false;   // add the cast to an existing file when the format can
};

struct ExportResult {
    bool ok = false;
    std::string path;                      // the path written, its extension applied
    size_t rowsWritten = 0;                // data rows, header lines not counted
    size_t salinityUnfitted = 0;           // rows written with salinity 0: none fits them
    bool appended = false;                 // the cast went to the end of an existing file
    std::optional<ExportFailure> failure;  // set exactly when !ok
};

// Writes raw or fitted points in the format's layout. The tables end their lines in CR LF on
// every platform, with three decimals and a point. An acquisition format refuses a profile
// with a value that is no number or (but for the samples) a depth going back up, before any
// file is touched. The file is created or truncated, or appended to when asked and the format
// can; a file that cannot be created or written completely is reported, never left looking
// like a finished export without a word.
ExportResult exportProfile(std::span<const ProfilePoint> points, const std::string& chosenPath,
                           const ExportOptions& options);

// Writes the average table, headed by the start depth, in a format that has a form of it; any
// other format is refused without touching the disk.
ExportResult exportAverage(std::span<const AveragePoint> points, float averageStartDepth,
                           const std::string& chosenPath, const ExportOptions& options);

}  // namespace quorvane
