#pragma once

#include <cstddef>
#include <string>

namespace quorvane {

// Why an export wrote nothing or not all; the caller words it (export_messages.h).
enum class ExportProblem {
    ValueNotNumber,  // at `row`
    DepthGoesUp,     // at `row`: `depth` lies above `depthAbove`
    NeedsTime,       // the format needs what the cast was not given
    NeedsPosition,
    NeedsTimeAndPosition,
    NotAppendable,     // the file to add to is not of the format
    AverageNotServed,  // the format has no form of the average table
    CannotCreate,
    WriteIncomplete,
};

struct ExportFailure {
    ExportProblem problem = ExportProblem::CannotCreate;
    size_t row{};  // of the data list, from 1
    double depth{};
    double depthAbove{};
    std::string formatName{};  // as messages name it: "HYPACK"
    std::string path{};        // the path chosen, its extension applied where the writer got so far
};

}  // namespace quorvane
