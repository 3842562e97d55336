#include "simulator/nav_command.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "common/arguments.h"
#include "network/datagram_network.h"
#include "simulator/nav_track.h"
#if defined(QUORVANE_SIM_SERVE)
#include "simulator/pty_transport.h"
#endif

namespace quorvane::sim {

int runNavCommand(const std::vector<std::string>& args) {
    const Arguments parsed(
        args,
        {"udp", "port", "baud", "rate", "speed", "track", "start", "fault", "talker", "count"}, {});
    std::string error = parsed.error();
    NavTrackOptions options;
    const auto port = parsed.number("udp", error);
    const auto rate = parsed.number("rate", error);
    const auto speed = parsed.number("speed", error);
    const auto track = parsed.number("track", error);
    const auto count = parsed.number("count", error);
    const auto baud = parsed.number("baud", error);
    const auto link = parsed.value("port");
    if (!error.empty())
        return usageError(kNavCommand, error);
    if (port.has_value() == link.has_value())
        return usageError(kNavCommand, "--udp PORT or --port LINK needed");
    if (port && (*port < 1 || *port > 65535))
        return usageError(kNavCommand, "--udp: a port from 1 to 65535");
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
    stopOnTermination();
    std::function<std::string(const std::string&)> send;
    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    if (port) {
        send = [&](const std::string& bytes) {
            return network->send("127.0.0.1", uint16_t(*port), bytes);
        };
    }
#if defined(QUORVANE_SIM_SERVE)
    // A receiver on a serial line: the slave of a pseudo-terminal, its path printed (and linked
    // at LINK) for the recorder to open.
    PtyTransport line;
    StopSignal stop;
    std::atomic<bool> finished{false};
    // A write waits while no one reads the line; termination must still end it.
    std::thread watch([&] {
        while (!finished && !terminationRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop.raise();
    });
    struct Join {
        std::thread& thread;
        std::atomic<bool>& finished;
        ~Join() {
            finished = true;
            thread.join();
        }
    } join{watch, finished};
    if (link) {
        std::string problem;
        if (!line.open(int(baud.value_or(4800)), *link, problem)) {
            std::fprintf(stderr, "quorvane-sim nav: %s\n", problem.c_str());
            return kExitFailure;
        }
        std::printf("%s\n", line.slavePath().c_str());
        std::fflush(stdout);
        send = [&](const std::string& bytes) {
            return line.writeAll(bytes, stop) ? std::string() : std::string("the line failed");
        };
    }
#else
    if (link)
        return usageError(kNavCommand, "--port needs a pseudo-terminal, which this system lacks");
#endif
    for (int epoch = 0; !terminationRequested() && (!count || epoch < int(*count)); ++epoch) {
        std::this_thread::sleep_until(
            Clock::time_point(std::chrono::milliseconds(ship.epochUtcMs(epoch))));
        std::string datagram;
        for (const std::string& line : ship.sentences(epoch)) datagram += line;
        if (datagram.empty())
            continue;
        const std::string failed = send(datagram);
        if (!failed.empty() && !terminationRequested()) {
            std::fprintf(stderr, "quorvane-sim nav: %s\n", failed.c_str());
            return kExitFailure;
        }
    }
    return 0;
}

}  // namespace quorvane::sim
