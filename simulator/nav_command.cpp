#include "simulator/nav_command.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "common/arguments.h"
#include "network/datagram_network.h"
#include "simulator/nav_track.h"

namespace quorvane::sim {

int runNavCommand(const std::vector<std::string>& args) {
    const Arguments parsed(
        args, {"udp", "rate", "speed", "track", "start", "fault", "talker", "count"}, {});
    std::string error = parsed.error();
    NavTrackOptions options;
    const auto port = parsed.number("udp", error);
    const auto rate = parsed.number("rate", error);
    const auto speed = parsed.number("speed", error);
    const auto track = parsed.number("track", error);
    const auto count = parsed.number("count", error);
    if (!error.empty())
        return usageError(kNavCommand, error);
    if (!port || *port < 1 || *port > 65535)
        return usageError(kNavCommand, "--udp PORT needed");
    if (rate && (*rate < 0.1 || *rate > 10))
        return usageError(kNavCommand, "--rate: 0.1 to 10 Hz");
    options.rateHz = rate.value_or(1.0);
    options.speedKnots = speed.value_or(options.speedKnots);
    options.trackDegrees = track.value_or(options.trackDegrees);
    if (const auto start = parsed.value("start")) {
        const std::optional<CastPosition> position = parsePosition(*start);
        if (!position)
            return usageError(kNavCommand, "--start must be LAT,LON");
        options.start = *position;
    }
    if (const auto fault = parsed.value("fault")) {
        const std::optional<NavFault> named = navFaultNamed(*fault);
        if (!named)
            return usageError(kNavCommand, "unknown --fault " + *fault);
        options.fault = *named;
    }
    if (const auto talker = parsed.value("talker")) {
        if (talker->size() != 2)
            return usageError(kNavCommand, "--talker is two letters");
        options.talker = *talker;
    }
    using Clock = std::chrono::system_clock;
    // The first epoch on the next whole second, as a receiver stamps them.
    const int64_t now =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count();
    options.startUtcMs = (now / 1000 + 1) * 1000;
    const NavTrack ship(options);
    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    stopOnTermination();
    for (int epoch = 0; !terminationRequested() && (!count || epoch < int(*count)); ++epoch) {
        std::this_thread::sleep_until(
            Clock::time_point(std::chrono::milliseconds(ship.epochUtcMs(epoch))));
        std::string datagram;
        for (const std::string& line : ship.sentences(epoch)) datagram += line;
        if (datagram.empty())
            continue;
        const std::string failed = network->send("127.0.0.1", uint16_t(*port), datagram);
        if (!failed.empty()) {
            std::fprintf(stderr, "quorvane-sim nav: %s\n", failed.c_str());
            return kExitFailure;
        }
    }
    return 0;
}

}  // namespace quorvane::sim
