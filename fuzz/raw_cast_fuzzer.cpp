// A raw cast file as a user may pick one: any bytes, loaded, scanned and reduced as a
// double-click does, then averaged from a start depth of the input's choosing.
#include <cstring>

#include "common/raw_scan.h"
#include "fuzz/fuzz_support.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/cast_reduction.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = fuzz::scratchPath("cast.bin");
    fuzz::writeBytes(path, data, size);

    CastData cast;
    const RawLoadResult load = LoadRawFile(cast, path);
    fuzz::require(load.headerApplied, "a readable file always gives its header");
    for (const RawRecord& record : cast.rawRecords) {
        fuzz::require(isValidRecord(record.bytes.data()), "only valid records are kept");
    }
    const std::optional<uint64_t> counted = countValidRecords(path);
    fuzz::require(counted && *counted >= cast.rawRecords.size(),
                  "the download's count sees every record the load keeps");
    if (!load.scanned) {
        return 0;
    }
    ReduceSamples(cast);
    fuzz::require(cast.rawProfile.size() <= cast.rawRecords.size(),
                  "the reduction adds no samples");
    float startDepth = 0.5f;
    if (size >= sizeof startDepth) {
        std::memcpy(&startDepth, data + size - sizeof startDepth, sizeof startDepth);
    }
    ComputeAverageVelocity(cast, startDepth);
    return 0;
}
