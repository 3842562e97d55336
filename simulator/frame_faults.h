#pragma once

#include <string>

#include "simulator/fault_plan.h"

namespace quorvane::sim {

// A data frame as it leaves the instrument, after the struck faults have had their way.
struct FaultedFrame {
    std::string bytes;         // empty when the frame was dropped
    bool hangUpAfter = false;  // the line dies once these bytes are out
};

FaultedFrame spoilFrame(std::string payload, const FrameFaults& faults);

// Adds `by` to the number of every valid raw record that starts in the bytes, keeping each
// record's checksum right, so only the numbering looks broken.
void shiftRecordNumbers(std::string& bytes, int by);

}  // namespace quorvane::sim
