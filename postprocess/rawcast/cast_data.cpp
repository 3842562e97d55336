#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

void CastData::clearProfiles() {
    rawProfile.clear();
    downCast.clear();
    upCast.clear();
    fittedProfile.clear();
    averageProfile.clear();
}

std::string BaseNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start) {
        return path.substr(start);
    }
    return path.substr(start, dot - start);
}

}  // namespace quorvane
