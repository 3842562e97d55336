// A .prf or .asvf file as a user may pick one (the first byte chooses which): loaded, saved
// and loaded again, the records must come back bit for bit.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "postprocess/profilefiles/point_file.h"

using namespace quorvane;

namespace {

template <typename Point, typename Load, typename Save>
void roundTrip(const uint8_t* data, size_t size, Load load, Save save) {
    static const std::string in = fuzz::scratchPath("in.points");
    static const std::string out = fuzz::scratchPath("out.points");
    fuzz::writeBytes(in, data, size);

    std::vector<Point> points;
    fuzz::require(load(in, points).ok, "a readable file loads");
    fuzz::require(points.size() == size / sizeof(Point), "every whole record is read");
    if (points.empty()) {
        fuzz::require(!save(out, points).ok, "an empty list is not saved");
        return;
    }
    fuzz::require(std::memcmp(points.data(), data, points.size() * sizeof(Point)) == 0,
                  "the records are the file's bytes");
    fuzz::require(save(out, points).ok, "the list saves");
    const std::string written = fuzz::readBytes(out);
    fuzz::require(written.size() == points.size() * sizeof(Point) &&
                      std::memcmp(written.data(), data, written.size()) == 0,
                  "the saved file is the whole records read");
    std::vector<Point> again;
    fuzz::require(load(out, again).ok && again.size() == points.size() &&
                      std::memcmp(again.data(), points.data(), written.size()) == 0,
                  "written and read back is identical");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    if (data[0] & 1) {
        roundTrip<AveragePoint>(data + 1, size - 1, LoadAverageFile, SaveAverageFile);
    } else {
        roundTrip<ProfilePoint>(data + 1, size - 1, LoadProfileFile, SaveProfileFile);
    }
    return 0;
}
