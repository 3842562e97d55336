#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/export_writer.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/cast_reduction.h"

namespace quorvane {

// Settings a run gives in place of those in the raw file's header.
struct ReductionSettings {
    std::optional<float> density, latitude, depthInterval;
};

struct CastLoad {
    RawLoadResult raw;
    FitStatus fit = FitStatus::NothingToFit;  // of the reduction, when raw.scanned
};

// Reads a raw cast into `data` and, when its records were scanned, reduces, splits and fits
// them with the header's settings or the ones given. A file that was not scanned leaves no
// records behind: a later Reset would reduce the previous cast's under this file's name.
CastLoad LoadAndReduce(CastData& data, const std::string& path,
                       const ReductionSettings& given = {});

// What a load has to say, in order: the file's problems, then the fit's. A scanned file has
// no problems, so for one the list holds at most the fit's refusal.
std::vector<Message> castLoadMessages(const CastLoad& load, const std::string& path,
                                      const CastData& data);

// The number of points the export of `kind` would read.
size_t exportPointCount(const CastData& data, ExportKind kind);

// Writes the raw samples, the fitted profile or the average table of `data` in options.format.
ExportResult ExportCast(const CastData& data, ExportKind kind, const std::string& chosenPath,
                        ExportOptions options);

}  // namespace quorvane
