#include "cli/nav_command.h"

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>

#include "cli/terminal.h"
#include "common/arguments.h"
#include "device/link/serial_port.h"
#include "navigation/nav_input.h"
#include "navigation/nav_log.h"
#include "navigation/nav_recorder.h"

namespace quorvane::cli {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void requestNavStop(int) {
    stopRequested = true;
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "quorvane-cli nav: %s\n%s", problem.c_str(), navUsage().c_str());
    return 2;
}

// The source the command line names, or nothing and `error` says why.
std::optional<NavSource> sourceOf(const Arguments& args, std::string& error) {
    const std::optional<double> udp = args.number("udp", error);
    const std::optional<double> baud = args.number("baud", error);
    const std::optional<std::string> port = args.value("port");
    if (!error.empty())
        return std::nullopt;
    if (udp.has_value() == port.has_value()) {
        error = "give --port PATH or --udp PORT";
        return std::nullopt;
    }
    NavSource source;
    if (udp) {
        if (*udp < 1 || *udp > 65535 || *udp != std::floor(*udp) || baud) {
            error = "--udp must be a port from 1 to 65535, without --baud";
            return std::nullopt;
        }
        source.udpPort = uint16_t(*udp);
        return source;
    }
    source.serialPort = *port;
    if (baud) {
        if (!isStandardBaudRate(*baud)) {
            error =
                "--baud must be 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800 or "
                "921600";
            return std::nullopt;
        }
        source.baudRate = int(*baud);
    }
    return source;
}

}  // namespace

std::string navUsage() {
    return "usage: quorvane-cli nav record (--port PATH|COMn [--baud N] | --udp PORT) --out FILE\n"
           "  Records the ship's navigation (NMEA 0183 GGA, RMC and ZDA from any talker, from a\n"
           "  serial port at --baud, default 4800, or as UDP datagrams to PORT) into a log, one\n"
           "  file per UTC day beside FILE (nav.log → nav-2026-12-07.log). Each fix's time is\n"
           "  the navigation's UTC; the PC's clock is logged beside it, and a PC clock more\n"
           "  than 2 s off GPS time is warned of. QUORVANE_SERIAL_LOG=FILE logs the serial\n"
           "  traffic. Ctrl-C ends.\n";
}

int runNav(const std::vector<std::string>& words) {
    const Arguments args(words, {"udp", "port", "baud", "out"}, {});
    std::string error = args.error();
    if (!error.empty())
        return usage(error);
    if (args.positional() != std::vector<std::string>{"record"})
        return usage("nav record ...");
    const std::optional<NavSource> source = sourceOf(args, error);
    if (!source)
        return usage(error);
    const std::optional<std::string> out = args.value("out");
    if (!out)
        return usage("no --out FILE");

    std::string problem;
    const std::unique_ptr<NavInput> input = openNavInput(*source, problem);
    if (!input) {
        std::fprintf(stderr, "quorvane-cli nav: %s\n", problem.c_str());
        return 1;
    }
    std::signal(SIGINT, requestNavStop);
    std::signal(SIGTERM, requestNavStop);
    NavRecorder recorder(*out, pcClockMs);
    PcClockWatch clock;
    const bool live = isTerminal(stdout);
    const char* const fresh = live ? "\n" : "";
    std::fprintf(stderr, "quorvane-cli nav: reading %s; Ctrl-C ends\n",
                 navSourceText(*source).c_str());
    const std::string failure = recordNavigation(
        *input, recorder, [] { return stopRequested.load(); },
        [&](const NavRecorder::Outcome& outcome) {
            if (!outcome.problem.empty())
                std::fprintf(stderr, "%snav: %s\n", fresh, outcome.problem.c_str());
            if (const std::optional<Text> said = clock.update(outcome.clockAheadS))
                std::fprintf(stderr, "%snav: %s\n", fresh, said->en.c_str());
            if (outcome.fix && live) {
                std::printf("\r%s %.6f %.6f q%d  %zu fixes  ", utcText(outcome.fix->utcMs).c_str(),
                            outcome.fix->latitude, outcome.fix->longitude, outcome.fix->quality,
                            recorder.fixesWritten());
                std::fflush(stdout);
            }
        });
    std::printf("%s%zu fixes written, the last to %s\n", fresh, recorder.fixesWritten(),
                recorder.currentFile().c_str());
    if (!failure.empty()) {
        std::fprintf(stderr, "quorvane-cli nav: %s: %s\n", navSourceText(*source).c_str(),
                     failure.c_str());
        return 1;
    }
    return 0;
}

}  // namespace quorvane::cli
