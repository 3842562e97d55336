#include "cli/nav_command.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>

#include "cli/terminal.h"
#include "common/arguments.h"
#include "navigation/nav_log.h"
#include "navigation/nav_recorder.h"
#include "network/datagram_network.h"

namespace quorvane::cli {

namespace {

// The PC's clock may be this far from GPS time before every cast position moves noticeably.
constexpr double kClockToleranceS = 2.0;

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
    stopRequested = true;
}

int64_t pcClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "quorvane-cli nav: %s\n%s", problem.c_str(), navUsage().c_str());
    return 2;
}

}  // namespace

std::string navUsage() {
    return "usage: quorvane-cli nav record --udp PORT --out FILE\n"
           "  Records the ship's navigation (NMEA 0183 GGA, RMC and ZDA from any talker, as UDP\n"
           "  datagrams to PORT) into a log, one file per UTC day beside FILE (nav.log →\n"
           "  nav-2026-12-07.log). Each fix's time is the navigation's UTC; the PC's clock is "
           "logged\n"
           "  beside it, and a PC clock more than 2 s off GPS time is warned of. Ctrl-C ends.\n";
}

int runNav(const std::vector<std::string>& words) {
    const Arguments args(words, {"udp", "out"}, {});
    std::string error = args.error();
    if (!error.empty())
        return usage(error);
    if (args.positional() != std::vector<std::string>{"record"})
        return usage("nav record ...");
    const std::optional<double> port = args.number("udp", error);
    const std::optional<std::string> out = args.value("out");
    if (!error.empty() || !port || *port < 1 || *port > 65535 || *port != std::floor(*port))
        return usage("--udp must be a port from 1 to 65535");
    if (!out)
        return usage("no --out FILE");

    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    std::string problem;
    const std::unique_ptr<DatagramReceiver> receiver = network->listen(uint16_t(*port), problem);
    if (!receiver) {
        std::fprintf(stderr, "quorvane-cli nav: %s\n", problem.c_str());
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    NavRecorder recorder(*out, pcClockMs);
    const bool live = isTerminal(stdout);
    bool clockOff = false;
    std::fprintf(stderr, "quorvane-cli nav: listening on UDP %u; Ctrl-C ends\n", unsigned(*port));
    while (!stopRequested) {
        const std::optional<Arrival> arrival = receiver->receive(200);
        if (!arrival)
            continue;
        std::string_view lines = arrival->bytes;
        while (!lines.empty()) {
            const size_t end = lines.find('\n');
            const NavRecorder::Outcome outcome = recorder.line(lines.substr(0, end));
            lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
            if (!outcome.problem.empty()) {
                std::fprintf(stderr, "%snav: %s\n", live ? "\n" : "", outcome.problem.c_str());
            }
            if (outcome.clockAheadS &&
                (std::abs(*outcome.clockAheadS) > kClockToleranceS) != clockOff) {
                clockOff = !clockOff;
                std::fprintf(stderr,
                             clockOff ? "%snav: the PC's clock is %+.1f s off GPS time: cast "
                                        "times taken from it are off as much\n"
                                      : "%snav: the PC's clock agrees with GPS time again "
                                        "(%+.1f s)\n",
                             live ? "\n" : "", *outcome.clockAheadS);
            }
            if (outcome.fix && live) {
                std::printf("\r%s %.6f %.6f q%d  %zu fixes  ", utcText(outcome.fix->utcMs).c_str(),
                            outcome.fix->latitude, outcome.fix->longitude, outcome.fix->quality,
                            recorder.fixesWritten());
                std::fflush(stdout);
            }
        }
    }
    std::printf("%s%zu fixes written, the last to %s\n", live ? "\n" : "", recorder.fixesWritten(),
                recorder.currentFile().c_str());
    return 0;
}

}  // namespace quorvane::cli
