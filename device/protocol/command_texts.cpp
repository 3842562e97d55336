#include "device/protocol/command_texts.h"

#include "common/strformat.h"
#include "device/protocol/leading_number.h"

namespace quorvane {

std::string setUtcTimeCommand(const LocalDateTime& time) {
    return strformat("$cmd,set,utctime,%d,%d,%d,%d,%d,%d*ff", time.year, time.month, time.day,
                     time.hour, time.minute, time.second);
}

std::string setAreaParaCommand(double density, double latitude) {
    return "$cmd,set,areapara," + formatFixed(density, 6) + "," + formatFixed(latitude, 6) + "*ff";
}

std::string setDepthScaleCommand(double depthInterval) {
    return "$cmd,set,depthscale," + formatFixed(depthInterval, 6) + "*ff";
}

std::string deleteFileCommand(int index) {
    return strformat("$cmd,delete,%d*ff", index);
}

std::string sendFileIndexCommand(int index) {
    return strformat("$cmd,send,fileindex,%d*ff", index);
}

}  // namespace quorvane
