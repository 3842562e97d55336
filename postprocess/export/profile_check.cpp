#include "postprocess/export/profile_check.h"

#include <cmath>

#include "common/strformat.h"

namespace quorvane {

std::optional<Message> checkProfileValues(std::span<const ProfilePoint> points, bool depthsGoDown) {
    for (size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& p = points[i];
        const size_t row = i + 1;
        if (!std::isfinite(p.depth) || !std::isfinite(p.soundVelocity) ||
            !std::isfinite(p.temperature)) {
            return Message{
                BoxType::WarningOkCancel,
                Text{strformat("第%zu行的数值无效，文件未写入！", row),
                     strformat("Row %zu holds a value that is not a number; no file was written!",
                               row)}};
        }
        if (depthsGoDown && i > 0 && p.depth < points[i - 1].depth) {
            const std::string depth = fixedDecimals(p.depth, 3);
            const std::string above = fixedDecimals(points[i - 1].depth, 3);
            return Message{
                BoxType::WarningOkCancel,
                Text{strformat("第%zu行的深度%s米小于上一行的%s米，文件未写入！", row,
                               depth.c_str(), above.c_str()),
                     strformat("The depth of row %zu (%s m) lies above the row before it (%s m); "
                               "no file was written!",
                               row, depth.c_str(), above.c_str())}};
        }
    }
    return std::nullopt;
}

}  // namespace quorvane
