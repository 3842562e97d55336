#include "send/send_messages.h"

#include <cmath>

#include "common/strformat.h"

namespace quorvane {

Text sendReportText(const SendReport& report) {
    const std::string to = targetText(report.target);
    const char* const target = to.c_str();
    const std::string largest = fixedDecimals(report.check.largestDifference, 2);
    const std::string depth = fixedDecimals(report.check.atDepth, 2);
    Text text;
    switch (report.outcome) {
        case SendOutcome::Sent:
            text = {strformat("%s：已发送%zu个点", target, report.points),
                    strformat("%s: sent, %zu points", target, report.points)};
            break;
        case SendOutcome::Confirmed:
            text = {strformat("%s：已确认，声呐正在使用发送的%zu个点（最大差%s m/s）", target,
                              report.points, largest.c_str()),
                    strformat("%s: confirmed, the sonar uses the %zu points sent (largest "
                              "difference %s m/s)",
                              target, report.points, largest.c_str())};
            break;
        case SendOutcome::NotConfirmed: {
            const bool beyond = std::isinf(report.check.largestDifference);
            text = {beyond ? strformat("%s：未确认，声呐的剖面未覆盖%s米", target, depth.c_str())
                           : strformat("%s：未确认，声呐的剖面在%s米处相差%s m/s", target,
                                       depth.c_str(), largest.c_str()),
                    beyond
                        ? strformat("%s: not confirmed, the sonar's profile does not reach %s m",
                                    target, depth.c_str())
                        : strformat("%s: not confirmed, the sonar's profile differs by %s m/s at "
                                    "%s m",
                                    target, largest.c_str(), depth.c_str())};
            break;
        }
        case SendOutcome::NoAnswer:
            text = {strformat("%s：已发送，但声呐未回报其剖面", target),
                    strformat("%s: sent, but the sonar reported no profile", target)};
            break;
        case SendOutcome::NotSent:
            text = {strformat("%s：未发送：%s", target, report.problem.c_str()),
                    strformat("%s: not sent: %s", target, report.problem.c_str())};
            break;
        case SendOutcome::Cancelled:
            text = {strformat("%s：已停止", target), strformat("%s: stopped", target)};
            break;
    }
    if (report.salinityUnfitted > 0) {
        text.zh += strformat("；%zu个点不符合任何海水盐度，以盐度0发送", report.salinityUnfitted);
        text.en += strformat("; %zu points fit no sea-water salinity and went with salinity 0",
                             report.salinityUnfitted);
    }
    return text;
}

}  // namespace quorvane
