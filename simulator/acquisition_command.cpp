#include "simulator/acquisition_command.h"

#include <cstdio>

#include "common/arguments.h"
#include "simulator/fake_acquisition.h"

namespace quorvane::sim {

namespace {

std::optional<uint16_t> portOf(const std::optional<double>& value, bool zeroAllowed) {
    if (!value || *value != double(int(*value)) || *value < (zeroAllowed ? 0 : 1) ||
        *value > 65535) {
        return std::nullopt;
    }
    return uint16_t(*value);
}

}  // namespace

int runAcquisitionCommand(const std::vector<std::string>& args) {
    const Arguments parsed(args, {"kind", "port", "reply-to", "fault", "late-ms", "count"}, {});
    std::string error = parsed.error();
    AcquisitionOptions options;
    const std::string kind = parsed.value("kind").value_or("");
    if (kind != "sis4" && kind != "sis5") {
        return usageError(kAcquisitionCommand, "--kind must be sis4 or sis5");
    }
    options.kind = *targetKindNamed(kind);
    if (const auto port = parsed.number("port", error)) {
        if (!portOf(port, true))
            return usageError(kAcquisitionCommand, "--port must be 0 to 65535");
        options.port = *portOf(port, true);
    }
    if (const auto replyTo = parsed.value("reply-to")) {
        // The same HOST:PORT as a target's, read through a target of this kind.
        const std::optional<AcquisitionTarget> target = parseTarget(kind + "@" + *replyTo);
        if (!target)
            return usageError(kAcquisitionCommand, "--reply-to must be HOST:PORT");
        options.replyHost = target->host;
        options.replyPort = target->port;
    }
    if (const auto fault = parsed.value("fault")) {
        const std::optional<AcquisitionFault> named = acquisitionFaultNamed(*fault);
        if (!named)
            return usageError(kAcquisitionCommand, "unknown --fault " + *fault);
        options.fault = *named;
    }
    const auto lateMs = parsed.number("late-ms", error);
    const auto count = parsed.number("count", error);
    if (!error.empty())
        return usageError(kAcquisitionCommand, error);
    if (lateMs)
        options.lateMs = int(*lateMs);

    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    std::string problem;
    FakeAcquisition acquisition(options, *network, problem);
    if (!acquisition.listening()) {
        std::fprintf(stderr, "quorvane-sim acquisition: %s\n", problem.c_str());
        return kExitFailure;
    }
    stopOnTermination();
    std::printf("%u\n", unsigned(acquisition.port()));
    std::fflush(stdout);
    acquisition.serve([] { return terminationRequested(); },
                      [](const std::string& verdict) {
                          std::printf("%s\n", verdict.c_str());
                          std::fflush(stdout);
                      },
                      count ? int(*count) : 0);
    return 0;
}

}  // namespace quorvane::sim
